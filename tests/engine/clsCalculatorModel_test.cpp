// The loop model: what draws current, range faults, the address order, and random edits against
// a recount and a copy.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <stdexcept>

#include "engine/EngineFixtures.h"
#include "shell/ErrorHandler.h"

namespace {

constexpr Amount uA(std::int64_t whole) {
    return Amount::FromWhole(whole);
}

class ModelTest : public ::testing::Test {
protected:
    EngineCatalogue cat;
};

// Slave bases are covered by the random recount below.
TEST_F(ModelTest, DisabledLedsDrawTheirOwnAlarmCurrent) {
    DeviceTypeRecord differs = Device(100, 4000);
    differs.AlarmCurrentLedDisabled = 1500;
    auto loop = NewLoop();
    loop->DeviceType(1, cat.AddDevice(differs));
    loop->DeviceType(2, cat.AddDevice(Device(100, 2000)));
    loop->DINLEDsDisabled(true);
    Recalculate(*loop);
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(1500 + 2000));
}

TEST_F(ModelTest, MovingASlotShiftsTheSlotsBetween) {
    auto loop = NewLoop();
    const auto order = [&](std::initializer_list<int> slots) {
        std::vector<int> positions;
        for (int slot : slots)
            positions.push_back(loop->AddressOrder(slot));
        return positions;
    };
    loop->AddressOrder(5, 2);
    EXPECT_EQ(order({1, 2, 3, 4, 5, 6}), (std::vector<int>{1, 3, 4, 5, 2, 6}));
    EXPECT_FALSE(loop->AddressesAreInOrder());
    EXPECT_EQ(std::make_tuple(loop->AddressFromOrder(2), loop->AddressFromOrder(5)),
              std::make_tuple(5, 4));
    // Moving down the cable: the slots between move one position towards the panel.
    loop->AddressOrder(0, 255);
    EXPECT_EQ(order({0, 1, 255, 5}), (std::vector<int>{255, 0, 254, 1}));
    loop->ResetAddressOrder();
    EXPECT_TRUE(loop->AddressesAreInOrder());
}

TEST_F(ModelTest, SlotsAndNumbersOutsideTheirRanges) {
    const auto a = cat.AddDevice(Device(300, 300));
    auto loop = NewLoop();
    // Slots outside the loop are ignored by the type setters.
    loop->DeviceType(256, a);
    loop->DeviceType(-1, a);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), Amount{});
    // Elsewhere they, sub-addresses outside 2 to 125 and numbers outside the catalogue are
    // range faults that change nothing.
    const std::vector<std::function<void()>> faults = {
        [&] { loop->DeviceBaseType(256); },
        [&] { loop->DeviceBaseAddr(-1, 3); },
        [&] { loop->DeviceStandalone(0, 126); },
        [&] { loop->DeviceStandalone(0, 1, 0); },
        [&] { loop->DeviceType(1, 2); },
        [&] { loop->DeviceStandalone(1, 2, 4); },
        [&] { loop->QtyOthers(99); },
    };
    for (std::size_t i = 0; i < faults.size(); ++i)
        EXPECT_THROW(faults[i](), std::out_of_range) << i;
    // The base address is stored as sixteen bits.
    loop->DeviceBaseAddr(3, -32768);
    try {
        loop->DeviceBaseAddr(3, 32768);
        FAIL() << "no overflow";
    } catch (const RuntimeFault& fault) {
        EXPECT_EQ(fault.number, 6);
    }
    EXPECT_EQ(loop->DeviceBaseAddr(3), -32768);
}

// ---- Random loops -------------------------------------------------------------------------

struct RandomCatalogue {
    std::vector<std::int16_t> devices{0};
    std::vector<std::int16_t> slaveBases{0};
    std::vector<std::int16_t> others{0};
    std::vector<std::int16_t> baseOthers{0};
    std::vector<std::int16_t> standalones{0};
};

RandomCatalogue FillRandomCatalogue(EngineCatalogue& cat, std::mt19937& rng) {
    RandomCatalogue c;
    const auto current = [&] { return static_cast<std::int32_t>(rng() % 20000); };
    for (int i = 0; i < 8; ++i) {
        DeviceTypeRecord d = Device(current(), current(), static_cast<double>(rng() % 300));
        d.AlarmCurrentLedDisabled = i % 2 ? d.AlarmCurrent : current();
        d.OutputUse = {static_cast<std::int16_t>(rng() % 4), static_cast<std::int16_t>(rng() % 4),
                       0};
        d.OutputBitCurrent = {current() % 3000, current() % 3000, 0};
        d.MinimumVoltage = static_cast<std::int16_t>(1500 + rng() % 500);
        c.devices.push_back(cat.AddDevice(d));
    }
    for (int i = 0; i < 3; ++i) {
        DeviceTypeRecord b = Device(current(), current(), static_cast<double>(rng() % 50));
        // A slave base that takes other devices, one that does not, and a master base.
        b.IsSlave = i != 2;
        b.IsMaster = i == 2;
        b.NoOtherDevices = i != 0;
        c.slaveBases.push_back(cat.AddDevice(b));
    }
    for (int i = 0; i < 4; ++i) {
        OtherDevice o = Other(current(), current(), static_cast<std::int16_t>(rng() % 100));
        o.FromRemote = i >= 2;
        o.FromRemoteSecond = i == 3;
        c.others.push_back(cat.AddOther(o));
        c.baseOthers.push_back(
            cat.AddOther(BaseOther(current(), current(), static_cast<std::int16_t>(rng() % 100))));
        c.standalones.push_back(cat.AddOther(
            StandaloneOther(current(), current(), static_cast<std::int16_t>(rng() % 100))));
    }
    return c;
}

template <typename T>
T Pick(const std::vector<T>& v, std::mt19937& rng) {
    return v[rng() % v.size()];
}

// Many random edits, including setting the same value again and clearing.
void EditRandomly(clsCalculator& loop, const RandomCatalogue& c, std::mt19937& rng, int edits) {
    for (int i = 0; i < edits; ++i) {
        const int slot = static_cast<int>(rng() % 256);
        switch (rng() % 7) {
            case 0:
                loop.DeviceType(slot, Pick(c.devices, rng));
                break;
            case 1:
                loop.DeviceBaseType(slot, Pick(c.slaveBases, rng));
                break;
            case 2:
                loop.DeviceOtherType(slot, Pick(c.others, rng));
                break;
            case 3:
                loop.DeviceOtherBaseType(slot, Pick(c.baseOthers, rng));
                break;
            case 4:
                loop.DeviceStandaloneTypeAndAddress(slot, 2 + static_cast<int>(rng() % 124),
                                                    Pick(c.standalones, rng),
                                                    static_cast<int>(rng() % 256));
                break;
            case 5:
                loop.AddressOrder(slot, static_cast<int>(rng() % 256));
                break;
            default:
                loop.DeviceBaseAddr(slot, static_cast<int>(rng() % 256));
                break;
        }
    }
}

// The loop's present quiescent and alarm current of devices and bases, summed from scratch.
std::pair<Amount, Amount> RecountDevices(const clsCalculator& loop) {
    Amount quiescent, alarm;
    for (int slot = 0; slot < 256; ++slot) {
        const auto& d = DeviceTypeTable[static_cast<std::size_t>(loop.DeviceType(slot))];
        const auto& b = DeviceTypeTable[static_cast<std::size_t>(loop.DeviceBaseType(slot))];
        const bool baseDraws = b.IsSlave && b.NoOtherDevices;
        quiescent += Amount::FromWhole(d.QuiescentCurrent + (baseDraws ? b.QuiescentCurrent : 0));
        alarm += Amount::FromWhole(d.AlarmCurrent + (baseDraws ? b.AlarmCurrent : 0));
    }
    return {quiescent, alarm};
}

// Every result and setting of a loop, and every slot.
auto Results(const clsCalculator& a) {
    return std::make_tuple(a.QtyDevices(), a.QuiescentCurrentTotal(), a.AlarmCurrentTotal(),
                           a.QuiescentCurrentDevices(), a.AlarmCurrentDevices(), a.VoltDrop(),
                           a.MaxVoltDrop(), a.LoopDesign(), a.DesignExplanation(),
                           a.PanelLimitText(), a.CableTotal(), a.CableFirst(), a.CableImpedance(),
                           a.CalcType(), a.MaxOutput(), a.DINLEDsDisabled(), a.IgnoreIsolators(),
                           a.QtyAddressableSlaveBases());
}
std::vector<int> Slots(const clsCalculator& a) {
    std::vector<int> slots;
    for (int slot = 0; slot < 256; ++slot) {
        slots.insert(slots.end(),
                     {a.AddressOrder(slot), a.DeviceType(slot), a.DeviceOtherType(slot),
                      a.DeviceOtherBaseType(slot), a.DeviceBaseType(slot), a.DeviceBaseAddr(slot),
                      a.DeviceStandaloneCount(slot)});
        for (int sub = 2; sub <= 125; ++sub)
            slots.insert(slots.end(),
                         {a.DeviceStandalone(slot, sub), a.DeviceStandaloneAddress(slot, sub)});
    }
    return slots;
}

// Random edits, setting the same values again and clearing included: the running totals equal
// a recount, the address order stays a permutation, a copy has the same slots and results, and
// clearing brings the series resistance back to exactly 0.
TEST_F(ModelTest, RandomEditsKeepTheTotalsTheOrderAndTheCopy) {
    std::mt19937 rng(11);
    const RandomCatalogue c = FillRandomCatalogue(cat, rng);
    for (int round = 0; round < 20; ++round) {
        auto loop = NewLoop();
        EditRandomly(*loop, c, rng, 600);
        for (int slot = 0; slot < 256; ++slot)
            ASSERT_EQ(loop->AddressFromOrder(loop->AddressOrder(slot)), slot);
        loop->CableTotal(static_cast<int>(rng() % 20000));
        loop->CableImpedance(static_cast<std::int16_t>(rng() % 4000));
        loop->Calculate(round % 2 == 1, static_cast<std::int16_t>(rng() % 101), round % 3 == 0);
        // No panel limit is hit: the devices' alarm current is their sum.
        EXPECT_EQ(std::make_pair(loop->QuiescentCurrentDevices(), loop->AlarmCurrentDevices()),
                  RecountDevices(*loop));
        const auto copy = loop->Copy();
        EXPECT_EQ(Results(*copy), Results(*loop));
        ASSERT_EQ(Slots(*copy), Slots(*loop));

        // After clearing, the same drop as a fresh loop with the same cable.
        loop->ClearData();
        loop->MaxOutput(256);  // cleared with the slots
        auto fresh = NewLoop();
        for (auto* l : {loop.get(), fresh.get()}) {
            l->DeviceType(1, c.devices[1]);
            l->CableTotal(5000);
            l->CableImpedance(1810);
            Recalculate(*l);
        }
        EXPECT_EQ(Results(*loop), Results(*fresh));
    }
}

}  // namespace
