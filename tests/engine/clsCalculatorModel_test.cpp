// The loop model: defaults, setters and their running totals, range faults, the address order,
// the copy and the clearing.
#include <gtest/gtest.h>

#include <algorithm>
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
        EXPECT_EQ(loop.DeviceBaseAddr(slot), 0) << slot;  // not the slot's own number until cleared
        EXPECT_EQ(loop.AddressOrder(slot), slot);
        EXPECT_EQ(loop.DeviceType(slot), 0);
        EXPECT_EQ(loop.DeviceStandaloneCount(slot), 0);
    }
    EXPECT_TRUE(loop.AddressesAreInOrder());
    EXPECT_FALSE(loop.IgnoreIsolators());
    EXPECT_EQ(loop.LoopDesign(), 0);
    EXPECT_TRUE(loop.DesignIsSatisfactory());
    EXPECT_EQ(loop.LoopDesignShort(), "Loop Satisfactory");
    EXPECT_EQ(loop.LoopDesignLong(), "Loop Design\nSatisfactory");
    EXPECT_EQ(loop.DesignExplanation(), "");
    EXPECT_EQ(loop.QuiescentCurrentDevices(), Amount{});
    EXPECT_EQ(loop.CalcType(), 0);
    EXPECT_EQ(loop.CableImpedance(), 0);
    EXPECT_EQ(loop.MaxOutput(), 0);
    EXPECT_EQ(clsCalculator::MinCalcType(), 0);
    EXPECT_EQ(clsCalculator::MaxCalcType(), 2);
    std::int32_t slot = -1, sub = -1;
    loop.GetIsolatorSpacingFailPoint(slot, sub);
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(sub, 0);
}

TEST_F(ModelTest, FreshPanelCountsLetTwoHundredFiftySixLedsLight) {
    const auto led = cat.AddDevice(DeviceWithOutput(1000, kLedOutput, 100));
    clsCalculator loop;
    loop.ClearData();
    for (int slot = 0; slot < 256; ++slot)
        loop.DeviceType(slot, led);
    loop.Calculate(false, 0, true);
    EXPECT_EQ(loop.PanelLimitText(), "");
    EXPECT_EQ(loop.AlarmCurrentDevices(), uA(256 * 1000));
}

TEST_F(ModelTest, DeviceTypeSettersKeepTheRunningTotals) {
    const auto a = cat.AddDevice(Device(300, 5000, 40));
    const auto b = cat.AddDevice(Device(120, 900));
    auto loop = NewLoop();
    loop->DeviceType(4, a);
    loop->DeviceType(9, a);
    loop->DeviceType(10, b);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), uA(300 + 300 + 120));
    // Setting the same type again changes nothing.
    loop->DeviceType(9, a);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), uA(720));
    // Replacing a type takes the old figures out.
    loop->DeviceType(9, b);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), uA(300 + 120 + 120));
    Recalculate(*loop);
    EXPECT_EQ(loop->QtyDevices(), 3);
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(5000 + 900 + 900));
    // Type then 0 again restores the totals exactly.
    loop->DeviceType(4, 0);
    loop->DeviceType(9, 0);
    loop->DeviceType(10, 0);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), Amount{});
    Recalculate(*loop);
    EXPECT_EQ(loop->AlarmCurrentDevices(), Amount{});
    EXPECT_EQ(loop->QtyDevices(), 0);
}

TEST_F(ModelTest, LedDisabledAlarmCurrentIsTakenOnlyWhereItDiffers) {
    DeviceTypeRecord differs = Device(100, 4000);
    differs.AlarmCurrentLedDisabled = 1500;
    const auto withLed = cat.AddDevice(differs);
    const auto same = cat.AddDevice(Device(100, 2000));
    auto loop = NewLoop();
    loop->DeviceType(1, withLed);
    loop->DeviceType(2, same);
    Recalculate(*loop);
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(4000 + 2000));
    loop->DINLEDsDisabled(true);
    Recalculate(*loop);
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(1500 + 2000));
}

TEST_F(ModelTest, OnlySlaveBasesThatTakeNoOtherDevicesDrawCurrent) {
    DeviceTypeRecord slaveBase = Device(200, 3000, 25);
    slaveBase.IsSlave = true;
    slaveBase.NoOtherDevices = true;
    DeviceTypeRecord masterBase = slaveBase;
    masterBase.IsSlave = false;
    masterBase.IsMaster = true;
    DeviceTypeRecord plainSlave = slaveBase;
    plainSlave.NoOtherDevices = false;
    const auto slave = cat.AddDevice(slaveBase);
    const auto master = cat.AddDevice(masterBase);
    const auto plain = cat.AddDevice(plainSlave);
    auto loop = NewLoop();
    loop->DeviceBaseType(5, master);
    loop->DeviceBaseType(6, plain);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), Amount{});
    loop->DeviceBaseType(7, slave);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), uA(200));
    EXPECT_EQ(loop->QtyAddressableSlaveBases(), 3);
    Recalculate(*loop);
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(3000));
    EXPECT_EQ(loop->QtyDevices(), 0);  // a base is not a device of its own
    loop->DeviceBaseType(7, master);   // slave figures out, master adds nothing
    EXPECT_EQ(loop->QuiescentCurrentDevices(), Amount{});
}

TEST_F(ModelTest, StandaloneDevicesKeepCountAddressAndTotals) {
    const auto sa = cat.AddOther(StandaloneOther(50, 700));
    const auto sb = cat.AddOther(StandaloneOther(80, 0));
    auto loop = NewLoop();
    loop->DeviceStandaloneTypeAndAddress(3, 2, sa, 17);
    loop->DeviceStandaloneTypeAndAddress(3, 125, sb, 0);
    EXPECT_EQ(loop->DeviceStandaloneCount(3), 2);
    EXPECT_EQ(loop->DeviceStandaloneAddress(3, 2), 17);
    // A new address keeps the type; a new type through DeviceStandalone clears the address.
    loop->DeviceStandaloneAddress(3, 2, 21);
    EXPECT_EQ(loop->DeviceStandalone(3, 2), sa);
    EXPECT_EQ(loop->DeviceStandaloneAddress(3, 2), 21);
    loop->DeviceStandalone(3, 2, sb);
    EXPECT_EQ(loop->DeviceStandaloneAddress(3, 2), 0);
    EXPECT_EQ(loop->DeviceStandaloneCount(3), 2);
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
    Recalculate(*loop);
    EXPECT_EQ(loop->QuiescentCurrentTotal(), Amount{});
}

TEST_F(ModelTest, QtyOthersCountsInTheOtherDevicesOwnContext) {
    const auto ancillary = cat.AddOther(Other(10, 10));
    const auto base = cat.AddOther(BaseOther(10, 10));
    const auto standalone = cat.AddOther(StandaloneOther(10, 10));
    auto loop = NewLoop();
    loop->DeviceOtherType(1, ancillary);
    loop->DeviceOtherType(2, ancillary);
    loop->DeviceOtherBaseType(2, base);
    loop->DeviceStandalone(0, 2, standalone);
    loop->DeviceStandalone(200, 125, standalone);
    loop->DeviceStandalone(200, 124, standalone);
    EXPECT_EQ(loop->QtyOthers(ancillary), 2);
    EXPECT_EQ(loop->QtyOthers(base), 1);
    EXPECT_EQ(loop->QtyOthers(standalone), 3);
    EXPECT_THROW(loop->QtyOthers(99), std::out_of_range);
}

TEST_F(ModelTest, SlotsOutsideTheLoopAreIgnoredWhereTheInterfaceSaysSo) {
    const auto a = cat.AddDevice(Device(300, 300));
    const auto o = cat.AddOther(Other(5, 5));
    auto loop = NewLoop();
    for (int slot : {-1, 256, 100000}) {
        loop->DeviceType(slot, a);
        loop->DeviceOtherType(slot, o);
        loop->DeviceOtherBaseType(slot, o);
        loop->DeviceStandaloneTypeAndAddress(slot, 2, o, 1);
        loop->AddressOrder(slot, 3);
        EXPECT_EQ(loop->DeviceType(slot), 0);
        EXPECT_EQ(loop->DeviceOtherType(slot), 0);
        EXPECT_EQ(loop->DeviceOtherBaseType(slot), 0);
        EXPECT_EQ(loop->AddressOrder(slot), 1);
    }
    loop->AddressOrder(5, 256);
    loop->AddressOrder(5, -1);
    EXPECT_TRUE(loop->AddressesAreInOrder());
    EXPECT_EQ(loop->QuiescentCurrentDevices(), Amount{});
    EXPECT_EQ(loop->AddressFromOrder(256), 1);
    EXPECT_EQ(loop->AddressFromOrder(-7), 1);
}

TEST_F(ModelTest, OtherSlotsAndSubAddressesAreRangeFaults) {
    auto loop = NewLoop();
    EXPECT_THROW(loop->DeviceBaseType(256), std::out_of_range);
    EXPECT_THROW(loop->DeviceBaseType(-1, 0), std::out_of_range);
    EXPECT_THROW(loop->DeviceBaseAddr(256), std::out_of_range);
    EXPECT_THROW(loop->DeviceBaseAddr(-1, 3), std::out_of_range);
    EXPECT_THROW(loop->DeviceStandaloneCount(256), std::out_of_range);
    EXPECT_THROW(loop->DeviceStandalone(256, 2), std::out_of_range);
    EXPECT_THROW(loop->DeviceStandaloneAddress(-1, 2), std::out_of_range);
    EXPECT_THROW(loop->LocationOfMaster(256), std::out_of_range);
    for (int sub : {1, 126, 0, -5}) {
        EXPECT_THROW(loop->DeviceStandalone(0, sub), std::out_of_range) << sub;
        EXPECT_THROW(loop->DeviceStandaloneAddress(0, sub), std::out_of_range) << sub;
        EXPECT_THROW(loop->DeviceStandalone(0, sub, 0), std::out_of_range) << sub;
        EXPECT_THROW(loop->DeviceStandaloneTypeAndAddress(0, sub, 0, 0), std::out_of_range) << sub;
    }
    // The address write of a slot outside the loop reads the present type first.
    EXPECT_THROW(loop->DeviceStandaloneAddress(256, 2, 7), std::out_of_range);
}

TEST_F(ModelTest, NumbersOutsideTheCatalogueFaultAndChangeNothing) {
    const auto a = cat.AddDevice(Device(300, 300, 10));
    auto loop = NewLoop();
    loop->DeviceType(1, a);
    EXPECT_THROW(loop->DeviceType(1, 2), std::out_of_range);
    EXPECT_THROW(loop->DeviceBaseType(1, -3), std::out_of_range);
    EXPECT_THROW(loop->DeviceOtherType(1, 1), std::out_of_range);
    EXPECT_THROW(loop->DeviceStandalone(1, 2, 4), std::out_of_range);
    EXPECT_EQ(loop->DeviceType(1), a);
    EXPECT_EQ(loop->DeviceBaseType(1), 0);
    EXPECT_EQ(loop->DeviceStandaloneCount(1), 0);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), uA(300));
}

TEST_F(ModelTest, BaseAddressIsStoredAsSixteenBits) {
    auto loop = NewLoop();
    loop->DeviceBaseAddr(3, 32767);
    EXPECT_EQ(loop->DeviceBaseAddr(3), 32767);
    loop->DeviceBaseAddr(3, -32768);
    EXPECT_EQ(loop->DeviceBaseAddr(3), -32768);
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
    loop->AddressOrder(5, 2);
    EXPECT_EQ(loop->AddressOrder(2), 3);
    EXPECT_EQ(loop->AddressOrder(3), 4);
    EXPECT_EQ(loop->AddressOrder(4), 5);
    EXPECT_EQ(loop->AddressOrder(5), 2);
    EXPECT_EQ(loop->AddressOrder(1), 1);
    EXPECT_EQ(loop->AddressOrder(6), 6);
    EXPECT_FALSE(loop->AddressesAreInOrder());
    EXPECT_EQ(loop->AddressFromOrder(2), 5);
    EXPECT_EQ(loop->AddressFromOrder(5), 4);
    // Moving down the cable: the slots between move one position towards the panel.
    loop->AddressOrder(0, 255);
    EXPECT_EQ(loop->AddressOrder(0), 255);
    EXPECT_EQ(loop->AddressOrder(1), 0);
    EXPECT_EQ(loop->AddressOrder(255), 254);
    EXPECT_EQ(loop->AddressOrder(5), 1);
    loop->ResetAddressOrder();
    EXPECT_TRUE(loop->AddressesAreInOrder());
}

TEST_F(ModelTest, RandomMovesKeepTheOrderAPermutation) {
    std::mt19937 rng(7);
    auto loop = NewLoop();
    for (int move = 0; move < 2000; ++move) {
        loop->AddressOrder(static_cast<int>(rng() % 256), static_cast<int>(rng() % 256));
        if (move % 100 != 0) continue;
        std::vector<int> seen(256, 0);
        for (int slot = 0; slot < 256; ++slot)
            ++seen[static_cast<std::size_t>(loop->AddressOrder(slot))];
        ASSERT_EQ(std::count(seen.begin(), seen.end(), 1), 256);
        for (int slot = 0; slot < 256; ++slot)
            ASSERT_EQ(loop->AddressFromOrder(loop->AddressOrder(slot)), slot);
    }
}

TEST_F(ModelTest, LocationOfAMasterBaseIsTheDetectorCarryingIt) {
    DeviceTypeRecord masterBase = Device(0, 0);
    masterBase.IsMaster = true;
    masterBase.NoOtherDevices = true;
    DeviceTypeRecord masterDevice = Device(0, 0);
    masterDevice.IsMaster = true;
    const auto baseType = cat.AddDevice(masterBase);
    const auto plainMaster = cat.AddDevice(masterDevice);
    const auto detector = cat.AddDevice(Device(100, 100));
    auto loop = NewLoop();
    loop->DeviceType(50, baseType);
    loop->DeviceType(8, detector);
    EXPECT_EQ(loop->LocationOfMaster(50), 50);  // nothing carries it yet
    loop->DeviceBaseAddr(8, 50);
    EXPECT_EQ(loop->LocationOfMaster(50), 50);  // carried, but not by a master base
    loop->DeviceBaseType(8, baseType);
    EXPECT_EQ(loop->LocationOfMaster(50), 8);
    loop->DeviceType(60, plainMaster);
    loop->DeviceBaseAddr(9, 60);
    loop->DeviceBaseType(9, baseType);
    EXPECT_EQ(loop->LocationOfMaster(60), 60);  // a master that is not a base stays where it is
    EXPECT_EQ(loop->LocationOfMaster(8), 8);
}

TEST_F(ModelTest, ClearDataEmptiesTheLoopButKeepsImpedanceCalcTypeAndPanel) {
    const auto a = cat.AddDevice(Device(300, 5000, 40));
    const auto o = cat.AddOther(Other(70, 900, 30));
    const auto sa = cat.AddOther(StandaloneOther(60, 100, 5));
    auto loop = NewLoop();
    loop->DeviceType(1, a);
    loop->DeviceOtherType(1, o);
    loop->DeviceOtherBaseType(2, o);
    loop->DeviceStandaloneTypeAndAddress(1, 9, sa, 1);
    loop->DeviceBaseAddr(2, 1);
    loop->DeviceBaseType(2, a);
    loop->AddressOrder(1, 40);
    loop->IgnoreIsolators(true);
    loop->CableFirst(100);
    loop->CableTotal(2000);
    loop->CableImpedance(1810);
    loop->CalcType(2);
    loop->MaxOutput(3);
    loop->DINLEDsDisabled(true);
    loop->SetPanelData(4, 5, 6, 2400, 0, 0);  // 0 mA: this loop fails
    loop->CalcType(0);
    Recalculate(*loop);
    ASSERT_EQ(loop->LoopDesign(), 3);
    loop->CalcType(2);

    loop->ClearData();
    for (int slot = 0; slot < 256; ++slot) {
        EXPECT_EQ(loop->DeviceBaseAddr(slot), slot);
        EXPECT_EQ(loop->DeviceBaseType(slot), 0);
        EXPECT_EQ(loop->DeviceStandaloneCount(slot), 0);
    }
    EXPECT_EQ(loop->DeviceType(1), 0);
    EXPECT_EQ(loop->DeviceOtherType(1), 0);
    EXPECT_EQ(loop->DeviceOtherBaseType(2), 0);
    EXPECT_EQ(loop->DeviceStandalone(1, 9), 0);
    EXPECT_TRUE(loop->AddressesAreInOrder());
    EXPECT_FALSE(loop->IgnoreIsolators());
    EXPECT_EQ(loop->CableFirst(), 0);
    EXPECT_EQ(loop->CableTotal(), 0);
    EXPECT_EQ(loop->MaxOutput(), 0);
    EXPECT_FALSE(loop->DINLEDsDisabled());
    EXPECT_EQ(loop->QuiescentCurrentDevices(), Amount{});
    // Left alone: impedance, calculation type, panel data and the last results.
    EXPECT_EQ(loop->CableImpedance(), 1810);
    EXPECT_EQ(loop->CalcType(), 2);
    EXPECT_EQ(loop->LoopDesign(), 3);
    loop->CalcType(0);
    Recalculate(*loop);
    EXPECT_EQ(loop->QuiescentCurrentTotal(), Amount{});
    EXPECT_EQ(loop->AlarmCurrentTotal(), Amount{});
    EXPECT_EQ(loop->VoltDrop(), Amount{});  // series resistance back to exactly 0
    EXPECT_EQ(loop->LoopDesign(), 0);
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

TEST_F(ModelTest, RunningTotalsEqualARecountAfterRandomEdits) {
    std::mt19937 rng(11);
    const RandomCatalogue c = FillRandomCatalogue(cat, rng);
    for (int round = 0; round < 20; ++round) {
        auto loop = NewLoop();
        loop->MaxOutput(256);
        EditRandomly(*loop, c, rng, 600);
        const Recount expected = RecountLoop(*loop);
        Recalculate(*loop);
        EXPECT_EQ(loop->QuiescentCurrentDevices(), expected.quiescentDevices);
        EXPECT_EQ(loop->QuiescentCurrentTotal(), expected.quiescentAll);
        EXPECT_EQ(loop->AlarmCurrentDevices(), expected.alarmDevices);  // no panel limit hit
        EXPECT_EQ(loop->QtyDevices(), expected.devices);
        EXPECT_EQ(loop->QtyAddressableSlaveBases(), expected.bases);
        int counted = 0;
        for (int slot = 0; slot < 256; ++slot)
            counted += loop->DeviceStandaloneCount(slot);
        EXPECT_EQ(counted, expected.standaloneCount);
    }
}

TEST_F(ModelTest, ClearingAfterRandomEditsLeavesEveryTotalAtZero) {
    std::mt19937 rng(12);
    const RandomCatalogue c = FillRandomCatalogue(cat, rng);
    auto loop = NewLoop();
    EditRandomly(*loop, c, rng, 3000);
    loop->ClearData();
    loop->SetPanelData(256, 256, 256, 2400, 500, 0);
    loop->CableTotal(5000);
    loop->CableImpedance(1810);
    Recalculate(*loop);
    EXPECT_EQ(loop->QuiescentCurrentDevices(), Amount{});
    EXPECT_EQ(loop->QuiescentCurrentTotal(), Amount{});
    EXPECT_EQ(loop->AlarmCurrentTotal(), Amount{});
    EXPECT_EQ(loop->VoltDrop(), Amount{});
    // A fresh loop with the same cable gives the same result through the same steps: the
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

void ExpectSameResults(const clsCalculator& a, const clsCalculator& b) {
    EXPECT_EQ(a.QtyDevices(), b.QtyDevices());
    EXPECT_EQ(a.QuiescentCurrentTotal(), b.QuiescentCurrentTotal());
    EXPECT_EQ(a.AlarmCurrentTotal(), b.AlarmCurrentTotal());
    EXPECT_EQ(a.QuiescentCurrentDevices(), b.QuiescentCurrentDevices());
    EXPECT_EQ(a.AlarmCurrentDevices(), b.AlarmCurrentDevices());
    EXPECT_EQ(a.VoltDrop(), b.VoltDrop());
    EXPECT_EQ(a.MaxVoltDrop(), b.MaxVoltDrop());
    EXPECT_EQ(a.LoopDesign(), b.LoopDesign());
    EXPECT_EQ(a.DesignExplanation(), b.DesignExplanation());
    EXPECT_EQ(a.PanelLimitText(), b.PanelLimitText());
    EXPECT_EQ(a.CableTotal(), b.CableTotal());
    EXPECT_EQ(a.CableFirst(), b.CableFirst());
    EXPECT_EQ(a.CableImpedance(), b.CableImpedance());
    EXPECT_EQ(a.CalcType(), b.CalcType());
    EXPECT_EQ(a.MaxOutput(), b.MaxOutput());
    EXPECT_EQ(a.DINLEDsDisabled(), b.DINLEDsDisabled());
    EXPECT_EQ(a.IgnoreIsolators(), b.IgnoreIsolators());
    EXPECT_EQ(a.QtyAddressableSlaveBases(), b.QtyAddressableSlaveBases());
    for (int slot = 0; slot < 256; ++slot) {
        ASSERT_EQ(a.AddressOrder(slot), b.AddressOrder(slot)) << slot;
        ASSERT_EQ(a.DeviceType(slot), b.DeviceType(slot)) << slot;
        ASSERT_EQ(a.DeviceOtherType(slot), b.DeviceOtherType(slot)) << slot;
        ASSERT_EQ(a.DeviceOtherBaseType(slot), b.DeviceOtherBaseType(slot)) << slot;
        ASSERT_EQ(a.DeviceBaseType(slot), b.DeviceBaseType(slot)) << slot;
        ASSERT_EQ(a.DeviceBaseAddr(slot), b.DeviceBaseAddr(slot)) << slot;
        ASSERT_EQ(a.DeviceStandaloneCount(slot), b.DeviceStandaloneCount(slot)) << slot;
        for (int sub = 2; sub <= 125; ++sub) {
            ASSERT_EQ(a.DeviceStandalone(slot, sub), b.DeviceStandalone(slot, sub));
            ASSERT_EQ(a.DeviceStandaloneAddress(slot, sub), b.DeviceStandaloneAddress(slot, sub));
        }
    }
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
        ExpectSameResults(*loop, *copy);
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
