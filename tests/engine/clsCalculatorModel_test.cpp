// The loop model: defaults, setters and their running totals, range faults, the address order,
// the copy and the clearing.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
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

TEST_F(ModelTest, FreshObjectHasTheStatedDefaults) {
    clsCalculator loop;
    for (int slot = 0; slot < 256; ++slot) {
        // The base address is not the slot's own number until the loop is cleared.
        ASSERT_EQ(std::make_tuple(loop.DeviceBaseAddr(slot), loop.AddressOrder(slot),
                                  loop.DeviceType(slot), loop.DeviceStandaloneCount(slot)),
                  std::make_tuple(0, slot, 0, 0));
    }
    EXPECT_TRUE(loop.AddressesAreInOrder());
    EXPECT_TRUE(loop.DesignIsSatisfactory());
    EXPECT_EQ(std::make_tuple(loop.IgnoreIsolators(), loop.LoopDesign(), loop.LoopDesignShort(),
                              loop.LoopDesignLong(), loop.DesignExplanation(),
                              loop.QuiescentCurrentDevices(), loop.CalcType(),
                              loop.CableImpedance(), loop.MaxOutput()),
              std::make_tuple(false, 0, "Loop Satisfactory", "Loop Design\nSatisfactory", "",
                              Amount{}, 0, 0, 0));
    EXPECT_EQ(std::make_tuple(clsCalculator::MinCalcType(), clsCalculator::MaxCalcType()),
              std::make_tuple(0, 2));
    std::int32_t slot = -1, sub = -1;
    loop.GetIsolatorSpacingFailPoint(slot, sub);
    EXPECT_EQ(std::make_tuple(slot, sub), std::make_tuple(0, 0));

    // The fresh panel counts let 256 LEDs light.
    const auto led = cat.AddDevice(DeviceWithOutput(1000, kLedOutput, 100));
    loop.ClearData();
    for (int s = 0; s < 256; ++s)
        loop.DeviceType(s, led);
    loop.Calculate(false, 0, true);
    EXPECT_EQ(loop.PanelLimitText(), "");
    EXPECT_EQ(loop.AlarmCurrentDevices(), uA(256 * 1000));
}

TEST_F(ModelTest, WhatDrawsCurrent) {
    // The LED-disabled alarm current is taken only where it differs.
    DeviceTypeRecord differs = Device(100, 4000);
    differs.AlarmCurrentLedDisabled = 1500;
    // Only slave bases that take no other devices draw current; a master base adds nothing.
    DeviceTypeRecord slaveBase = Device(200, 3000, 25);
    slaveBase.IsSlave = slaveBase.NoOtherDevices = true;
    DeviceTypeRecord masterBase = slaveBase;
    masterBase.IsSlave = false;
    masterBase.IsMaster = true;
    DeviceTypeRecord plainSlave = slaveBase;
    plainSlave.NoOtherDevices = false;
    auto loop = NewLoop();
    loop->DeviceType(1, cat.AddDevice(differs));
    loop->DeviceType(2, cat.AddDevice(Device(100, 2000)));
    loop->DeviceBaseType(5, cat.AddDevice(masterBase));
    loop->DeviceBaseType(6, cat.AddDevice(plainSlave));
    const auto slave = cat.AddDevice(slaveBase);
    loop->DeviceBaseType(7, slave);
    Recalculate(*loop);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), uA(100 + 100 + 200));
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(4000 + 2000 + 3000));
    EXPECT_EQ(loop->QtyAddressableSlaveBases(), 3);
    EXPECT_EQ(loop->QtyDevices(), 2);  // a base is not a device of its own
    loop->DINLEDsDisabled(true);
    Recalculate(*loop);
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(1500 + 2000 + 3000));
    loop->DeviceBaseType(7, loop->DeviceBaseType(5));  // slave figures out, master adds nothing
    EXPECT_EQ(loop->QuiescentCurrentDevices(), uA(200));
}

TEST_F(ModelTest, StandaloneDevicesKeepCountAddressAndTotals) {
    const auto sa = cat.AddOther(StandaloneOther(50, 700));
    const auto sb = cat.AddOther(StandaloneOther(80, 0));
    auto loop = NewLoop();
    loop->DeviceStandaloneTypeAndAddress(3, 2, sa, 17);
    loop->DeviceStandaloneTypeAndAddress(3, 125, sb, 0);
    // A new address keeps the type; a new type through DeviceStandalone clears the address.
    loop->DeviceStandaloneAddress(3, 2, 21);
    EXPECT_EQ(std::make_tuple(loop->DeviceStandaloneCount(3), loop->DeviceStandalone(3, 2),
                              loop->DeviceStandaloneAddress(3, 2)),
              std::make_tuple(2, sa, 21));
    loop->DeviceStandalone(3, 2, sb);
    EXPECT_EQ(loop->DeviceStandaloneAddress(3, 2), 0);
    // Writing 0 on an empty position changes no count.
    loop->DeviceStandalone(3, 50, 0);
    loop->DeviceStandaloneTypeAndAddress(3, 51, 0, 9);
    EXPECT_EQ(loop->DeviceStandaloneCount(3), 2);
    EXPECT_EQ(loop->DeviceStandaloneAddress(3, 51), 0);
    Recalculate(*loop);
    EXPECT_EQ(loop->QuiescentCurrentTotal(), uA(80 + 80));
    EXPECT_EQ(loop->AlarmCurrentTotal(), Amount{});
    loop->DeviceStandalone(3, 2, 0);
    loop->DeviceStandalone(3, 125, 0);
    EXPECT_EQ(loop->DeviceStandaloneCount(3), 0);

    // Other devices are counted in their own context.
    const auto ancillary = cat.AddOther(Other(10, 10));
    const auto base = cat.AddOther(BaseOther(10, 10));
    loop->DeviceOtherType(1, ancillary);
    loop->DeviceOtherType(2, ancillary);
    loop->DeviceOtherBaseType(2, base);
    loop->DeviceStandalone(0, 2, sa);
    loop->DeviceStandalone(200, 125, sa);
    loop->DeviceStandalone(200, 124, sa);
    EXPECT_EQ(
        std::make_tuple(loop->QtyOthers(ancillary), loop->QtyOthers(base), loop->QtyOthers(sa)),
        std::make_tuple(2, 1, 3));
    EXPECT_THROW(loop->QtyOthers(99), std::out_of_range);
}

TEST_F(ModelTest, SlotsAndNumbersOutsideTheirRanges) {
    const auto a = cat.AddDevice(Device(300, 300, 10));
    const auto o = cat.AddOther(Other(5, 5));
    auto loop = NewLoop();
    // Slots outside the loop are ignored where the interface says so.
    for (int slot : {-1, 256, 100000}) {
        loop->DeviceType(slot, a);
        loop->DeviceOtherType(slot, o);
        loop->DeviceOtherBaseType(slot, o);
        loop->DeviceStandaloneTypeAndAddress(slot, 2, o, 1);
        loop->AddressOrder(slot, 3);
        EXPECT_EQ(std::make_tuple(loop->DeviceType(slot), loop->DeviceOtherType(slot),
                                  loop->DeviceOtherBaseType(slot), loop->AddressOrder(slot)),
                  std::make_tuple(0, 0, 0, 1));
    }
    loop->AddressOrder(5, 256);
    loop->AddressOrder(5, -1);
    EXPECT_TRUE(loop->AddressesAreInOrder());
    EXPECT_EQ(loop->QuiescentCurrentDevices(), Amount{});
    EXPECT_EQ(std::make_tuple(loop->AddressFromOrder(256), loop->AddressFromOrder(-7)),
              std::make_tuple(1, 1));
    // Elsewhere they, sub-addresses outside 2 to 125 and numbers outside the catalogue are
    // range faults that change nothing.
    loop->DeviceType(1, a);
    const std::vector<std::function<void()>> faults = {
        [&] { loop->DeviceBaseType(256); },
        [&] { loop->DeviceBaseType(-1, 0); },
        [&] { loop->DeviceBaseAddr(256); },
        [&] { loop->DeviceBaseAddr(-1, 3); },
        [&] { loop->DeviceStandaloneCount(256); },
        [&] { loop->DeviceStandalone(256, 2); },
        [&] { loop->DeviceStandaloneAddress(-1, 2); },
        [&] { loop->LocationOfMaster(256); },
        // The address write of a slot outside the loop reads the present type first.
        [&] { loop->DeviceStandaloneAddress(256, 2, 7); },
        [&] { loop->DeviceType(1, 2); },
        [&] { loop->DeviceBaseType(1, -3); },
        [&] { loop->DeviceOtherType(1, 2); },
        [&] { loop->DeviceStandalone(1, 2, 4); },
    };
    for (std::size_t i = 0; i < faults.size(); ++i)
        EXPECT_THROW(faults[i](), std::out_of_range) << i;
    for (int sub : {1, 126, 0, -5}) {
        EXPECT_THROW(loop->DeviceStandalone(0, sub), std::out_of_range) << sub;
        EXPECT_THROW(loop->DeviceStandaloneAddress(0, sub), std::out_of_range) << sub;
        EXPECT_THROW(loop->DeviceStandalone(0, sub, 0), std::out_of_range) << sub;
        EXPECT_THROW(loop->DeviceStandaloneTypeAndAddress(0, sub, 0, 0), std::out_of_range) << sub;
    }
    EXPECT_EQ(std::make_tuple(loop->DeviceType(1), loop->DeviceBaseType(1),
                              loop->DeviceStandaloneCount(1), loop->QuiescentCurrentDevices()),
              std::make_tuple(a, 0, 0, uA(300)));

    // The base address is stored as sixteen bits.
    loop->DeviceBaseAddr(3, 32767);
    EXPECT_EQ(loop->DeviceBaseAddr(3), 32767);
    loop->DeviceBaseAddr(3, -32768);
    try {
        loop->DeviceBaseAddr(3, 32768);
        FAIL() << "no overflow";
    } catch (const RuntimeFault& fault) {
        EXPECT_EQ(fault.number, 6);
    }
    EXPECT_EQ(loop->DeviceBaseAddr(3), -32768);
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

TEST_F(ModelTest, LocationOfAMasterBaseIsTheDetectorCarryingIt) {
    DeviceTypeRecord masterBase = Device(0, 0);
    masterBase.IsMaster = masterBase.NoOtherDevices = true;
    DeviceTypeRecord masterDevice = Device(0, 0);
    masterDevice.IsMaster = true;
    const auto baseType = cat.AddDevice(masterBase);
    auto loop = NewLoop();
    loop->DeviceType(50, baseType);
    loop->DeviceType(8, cat.AddDevice(Device(100, 100)));
    EXPECT_EQ(loop->LocationOfMaster(50), 50);  // nothing carries it yet
    loop->DeviceBaseAddr(8, 50);
    EXPECT_EQ(loop->LocationOfMaster(50), 50);  // carried, but not by a master base
    loop->DeviceBaseType(8, baseType);
    EXPECT_EQ(loop->LocationOfMaster(50), 8);
    loop->DeviceType(60, cat.AddDevice(masterDevice));
    loop->DeviceBaseAddr(9, 60);
    loop->DeviceBaseType(9, baseType);
    EXPECT_EQ(loop->LocationOfMaster(60), 60);  // a master that is not a base stays where it is
    EXPECT_EQ(loop->LocationOfMaster(8), 8);
}

TEST_F(ModelTest, ClearDataEmptiesTheLoopButKeepsImpedanceCalcTypeAndPanel) {
    const auto a = cat.AddDevice(Device(300, 5000, 40));
    const auto o = cat.AddOther(Other(70, 900, 30));
    auto loop = NewLoop();
    loop->DeviceType(1, a);
    loop->DeviceOtherType(1, o);
    loop->DeviceOtherBaseType(2, o);
    loop->DeviceStandaloneTypeAndAddress(1, 9, cat.AddOther(StandaloneOther(60, 100, 5)), 1);
    loop->DeviceBaseAddr(2, 1);
    loop->DeviceBaseType(2, a);
    loop->AddressOrder(1, 40);
    loop->IgnoreIsolators(true);
    loop->CableFirst(100);
    loop->CableTotal(2000);
    loop->CableImpedance(1810);
    loop->MaxOutput(3);
    loop->DINLEDsDisabled(true);
    loop->SetPanelData(4, 5, 6, 2400, 0, 0);  // 0 mA: this loop fails
    Recalculate(*loop);
    ASSERT_EQ(loop->LoopDesign(), 3);
    loop->CalcType(2);

    loop->ClearData();
    for (int slot = 0; slot < 256; ++slot) {
        ASSERT_EQ(std::make_tuple(loop->DeviceBaseAddr(slot), loop->DeviceBaseType(slot),
                                  loop->DeviceStandaloneCount(slot), loop->DeviceType(slot),
                                  loop->DeviceOtherType(slot), loop->DeviceOtherBaseType(slot)),
                  std::make_tuple(slot, 0, 0, 0, 0, 0));
    }
    EXPECT_EQ(std::make_tuple(loop->DeviceStandalone(1, 9), loop->AddressesAreInOrder(),
                              loop->IgnoreIsolators(), loop->CableFirst(), loop->CableTotal(),
                              loop->MaxOutput(), loop->DINLEDsDisabled(),
                              loop->QuiescentCurrentDevices()),
              std::make_tuple(0, true, false, 0, 0, 0, false, Amount{}));
    // Left alone: impedance, calculation type, panel data and the last results.
    EXPECT_EQ(std::make_tuple(loop->CableImpedance(), loop->CalcType(), loop->LoopDesign()),
              std::make_tuple(1810, 2, 3));
    loop->CalcType(0);
    Recalculate(*loop);
    EXPECT_EQ(std::make_tuple(loop->QuiescentCurrentTotal(), loop->AlarmCurrentTotal(),
                              loop->VoltDrop(), loop->LoopDesign()),
              std::make_tuple(Amount{}, Amount{}, Amount{}, 0));
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
        b.IsSlave = true;
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

// The loop's present contents, summed from scratch.
struct Recount {
    Amount quiescentDevices, alarmDevices, quiescentAll;
    int devices = 0, bases = 0, standaloneCount = 0;
};

Recount RecountLoop(const clsCalculator& loop) {
    Recount r;
    for (int slot = 0; slot < 256; ++slot) {
        const auto& d = DeviceTypeTable[static_cast<std::size_t>(loop.DeviceType(slot))];
        const auto& b = DeviceTypeTable[static_cast<std::size_t>(loop.DeviceBaseType(slot))];
        if (loop.DeviceType(slot) != 0) {
            ++r.devices;
            r.quiescentDevices += Amount::FromWhole(d.QuiescentCurrent);
            r.alarmDevices += Amount::FromWhole(d.AlarmCurrent);
        }
        if (loop.DeviceBaseType(slot) != 0) {
            ++r.bases;
            if (b.IsSlave && b.NoOtherDevices) {
                r.quiescentDevices += Amount::FromWhole(b.QuiescentCurrent);
                r.alarmDevices += Amount::FromWhole(b.AlarmCurrent);
            }
        }
        r.quiescentAll += Amount::FromWhole(
            OtherDeviceTable[static_cast<std::size_t>(loop.DeviceOtherType(slot))].OtherQuiescent);
        r.quiescentAll += Amount::FromWhole(
            OtherDeviceTable[static_cast<std::size_t>(loop.DeviceOtherBaseType(slot))]
                .OtherQuiescent);
        for (int sub = 2; sub <= 125; ++sub) {
            const auto t = loop.DeviceStandalone(slot, sub);
            if (t == 0) continue;
            ++r.standaloneCount;
            r.quiescentAll +=
                Amount::FromWhole(OtherDeviceTable[static_cast<std::size_t>(t)].OtherQuiescent);
        }
    }
    r.quiescentAll += r.quiescentDevices;
    return r;
}

// Random edits, setting the same values again and clearing included: the running totals equal
// a recount, the address order stays a permutation, and clearing brings every total back to
// exactly 0.
TEST_F(ModelTest, RunningTotalsEqualARecountAfterRandomEdits) {
    std::mt19937 rng(11);
    const RandomCatalogue c = FillRandomCatalogue(cat, rng);
    for (int round = 0; round < 20; ++round) {
        auto loop = NewLoop();
        EditRandomly(*loop, c, rng, 600);
        const Recount expected = RecountLoop(*loop);
        Recalculate(*loop);
        int counted = 0;
        std::vector<int> seen(256, 0);
        for (int slot = 0; slot < 256; ++slot) {
            counted += loop->DeviceStandaloneCount(slot);
            ++seen[static_cast<std::size_t>(loop->AddressOrder(slot))];
            ASSERT_EQ(loop->AddressFromOrder(loop->AddressOrder(slot)), slot);
        }
        ASSERT_EQ(std::count(seen.begin(), seen.end(), 1), 256);
        // No panel limit is hit: the devices' alarm current is their sum.
        EXPECT_EQ(
            std::make_tuple(loop->QuiescentCurrentDevices(), loop->QuiescentCurrentTotal(),
                            loop->AlarmCurrentDevices(), loop->QtyDevices(),
                            loop->QtyAddressableSlaveBases(), counted),
            std::make_tuple(expected.quiescentDevices, expected.quiescentAll, expected.alarmDevices,
                            expected.devices, expected.bases, expected.standaloneCount));

        loop->ClearData();
        loop->CableTotal(5000);
        loop->CableImpedance(1810);
        Recalculate(*loop);
        EXPECT_EQ(std::make_tuple(loop->QuiescentCurrentDevices(), loop->QuiescentCurrentTotal(),
                                  loop->AlarmCurrentTotal(), loop->VoltDrop()),
                  std::make_tuple(Amount{}, Amount{}, Amount{}, Amount{}));
        // A fresh loop with the same cable gives the same drop through the same steps: the
        // series resistance is back at exactly 0.
        loop->DeviceType(1, c.devices[1]);
        auto fresh = NewLoop();
        fresh->CableTotal(5000);
        fresh->CableImpedance(1810);
        fresh->DeviceType(1, c.devices[1]);
        Recalculate(*loop);
        Recalculate(*fresh);
        EXPECT_EQ(loop->VoltDrop(), fresh->VoltDrop());
    }
}

// Builds a random permutation through moves, position by position: moving a slot to
// position p shifts only the positions from p on.
std::vector<int> ArrangeRandomly(clsCalculator& loop, std::mt19937& rng) {
    std::vector<int> target(256);
    std::iota(target.begin(), target.end(), 0);
    std::shuffle(target.begin(), target.end(), rng);
    for (int p = 0; p < 256; ++p)
        loop.AddressOrder(target[static_cast<std::size_t>(p)], p);
    return target;
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

TEST_F(ModelTest, CopyOfARearrangedLoopHasTheIdenticalOrderAndResults) {
    std::mt19937 rng(13);
    const RandomCatalogue c = FillRandomCatalogue(cat, rng);
    cat.AddCable("Thick", 1200, true);
    cat.AddCable("Thin", 800, true);
    for (int round = 0; round < 12; ++round) {
        auto loop = NewLoop();
        EditRandomly(*loop, c, rng, 400);
        const std::vector<int> target = ArrangeRandomly(*loop, rng);
        for (int p = 0; p < 256; ++p)
            ASSERT_EQ(loop->AddressFromOrder(p), target[static_cast<std::size_t>(p)]);
        loop->CalcType(round % 3);
        loop->CableTotal(static_cast<int>(rng() % 20000));
        loop->CableFirst(static_cast<int>(rng() % 3000));
        loop->CableImpedance(static_cast<std::int16_t>(rng() % 4000));
        loop->MaxOutput(static_cast<int>(rng() % 40));
        loop->DINLEDsDisabled(rng() % 2 == 0);
        loop->IgnoreIsolators(round % 4 == 0);
        loop->SetPanelData(
            static_cast<int>(rng() % 30), static_cast<int>(rng() % 30),
            static_cast<int>(rng() % 30), static_cast<std::int16_t>(2000 + rng() % 1000),
            static_cast<std::int16_t>(rng() % 3000), static_cast<std::int16_t>(rng() % 500));
        loop->Calculate(round % 2 == 1, static_cast<std::int16_t>(rng() % 101), round % 3 == 0);
        const auto copy = loop->Copy();
        EXPECT_EQ(Results(*copy), Results(*loop));
        ASSERT_EQ(Slots(*copy), Slots(*loop));
    }
}

TEST_F(ModelTest, CopyOfANeverCalculatedLoopCalculatesWithDefaultArguments) {
    const auto a = cat.AddDevice(Device(300, 5000));
    clsCalculator loop;  // never cleared either: base addresses 0
    loop.DeviceType(3, a);
    loop.AddressOrder(3, 0);
    loop.SetPanelData(256, 256, 256, 2400, 500, 0);
    const auto copy = loop.Copy();
    EXPECT_EQ(copy->QtyDevices(), 1);
    EXPECT_EQ(copy->AlarmCurrentTotal(), uA(5000));
    EXPECT_EQ(copy->DeviceBaseAddr(7), 0);
    EXPECT_EQ(copy->AddressFromOrder(0), 3);
    EXPECT_EQ(loop.QtyDevices(), 0);  // the source keeps its own (never run) results
}

}  // namespace
