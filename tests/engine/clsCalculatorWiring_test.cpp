// The wiring checks: switch-on surge between isolators, isolators between a master and its
// slaves, and devices that need another device on the loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <numeric>
#include <random>

#include "engine/EngineFixtures.h"

namespace {

// Runs the calculation with the wiring checks on.
std::int32_t Check(clsCalculator& loop) {
    Recalculate(loop, true);
    return loop.LoopDesign();
}

// The text with every whole number that directly follows `after` (any number when `after` is
// empty) replaced by map(number).
template <typename Map>
std::string MapNumbers(const std::string& text, const std::string& after, Map map) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const bool follows =
            after.empty() ||
            (i >= after.size() && text.compare(i - after.size(), after.size(), after) == 0);
        if (!std::isdigit(static_cast<unsigned char>(text[i])) || !follows) {
            out += text[i++];
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end])))
            ++end;
        out += std::to_string(map(std::stoi(text.substr(i, end - i))));
        i = end;
    }
    return out;
}

std::pair<int, int> SpacingFailPoint(const clsCalculator& loop) {
    std::int32_t slot = -1, sub = -1;
    loop.GetIsolatorSpacingFailPoint(slot, sub);
    return {slot, sub};
}

// ---- Switch-on surge ------------------------------------------------------------------------

class SurgeTest : public ::testing::Test {
protected:
    EngineCatalogue cat;
};

TEST_F(SurgeTest, SurgeUpToAnIsolatorTooHighFailsAtTheIsolator) {
    const auto det = cat.AddDevice(SurgeDevice(6500));
    const auto iso = cat.AddDevice(SurgeDevice(3000, 40000));
    auto loop = NewLoop();
    for (int slot = 1; slot <= 6; ++slot)
        loop->DeviceType(slot, det);
    loop->DeviceType(7, iso);
    // 6 x 6500 + 3000 = 42000 > 40000 at the isolator.
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->LoopDesignShort(), "Surge Current Too High");
    EXPECT_EQ(loop->LoopDesignLong(), "Switch-on Surge\nToo High");
    EXPECT_EQ(loop->DesignExplanation(),
              "The total switch-on surge current of devices between the control panel and the "
              "isolator at "
              "address 7 (42 mA) is too high.");
    // Before the isolator the panel's 30 mA was in force: passed at slot 5 (32500).
    EXPECT_EQ(SpacingFailPoint(*loop), std::make_pair(5, 0));
}

TEST_F(SurgeTest, LastSegmentBackToThePanelIsJudgedByTheLastIsolator) {
    const auto det = cat.AddDevice(SurgeDevice(2000));
    const auto iso = cat.AddDevice(SurgeDevice(1000, 30000));
    const auto heavy = cat.AddDevice(SurgeDevice(17000));
    auto loop = NewLoop();
    for (int slot = 1; slot <= 11; ++slot)
        loop->DeviceType(slot, det);
    loop->DeviceType(12, iso);
    loop->DeviceType(13, heavy);
    loop->DeviceType(14, heavy);
    // Restart at the isolator's own 1000: 1000 + 2 x 17000 = 35000 > 30000.
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->DesignExplanation(),
              "The total switch-on surge current of devices between the isolator at address 12 and "
              "the control "
              "panel (35 mA) is too high.");
}

TEST_F(SurgeTest, AnIsolatorsOwnSurgeCanExceedItsLimit) {
    const auto iso = cat.AddDevice(SurgeDevice(25000, 20000));
    auto loop = NewLoop();
    loop->DeviceType(3, iso);
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->DesignExplanation(),
              "The total switch-on surge current of devices between the control panel and the "
              "isolator at "
              "address 3 (25 mA) is too high.");
}

TEST_F(SurgeTest, SurgeExactlyAtTheLimitPasses) {
    const auto det = cat.AddDevice(SurgeDevice(5000));
    const auto iso = cat.AddDevice(SurgeDevice(0, 20000));
    auto loop = NewLoop();
    for (int slot = 1; slot <= 4; ++slot)
        loop->DeviceType(slot, det);
    loop->DeviceType(5, iso);
    for (int slot = 6; slot <= 9; ++slot)
        loop->DeviceType(slot, det);
    EXPECT_EQ(Check(*loop), 0);  // 20000 on either side
    loop->DeviceType(10, cat.AddDevice(SurgeDevice(1)));
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->DesignExplanation(),
              "The total switch-on surge current of devices between the isolator at address 5 and "
              "the control "
              "panel (20 mA) is too high.");
}

TEST_F(SurgeTest, LoopWithoutIsolatorsAlwaysPassesButNotesWhereThePanelLimitWasPassed) {
    const auto det = cat.AddDevice(SurgeDevice(5000));
    auto loop = NewLoop();
    for (int slot = 1; slot <= 20; ++slot)
        loop->DeviceType(slot, det);
    EXPECT_EQ(Check(*loop), 0);
    EXPECT_EQ(SpacingFailPoint(*loop), std::make_pair(7, 0));  // 35000 at the seventh
}

TEST_F(SurgeTest, StandaloneIsolatorRestartsTheSumAtZero) {
    const auto det = cat.AddDevice(SurgeDevice(4000));
    OtherDevice isolatorOther = StandaloneOther(9000, 0);
    isolatorOther.OtherMaxSurge = 20000;
    const auto standaloneIso = cat.AddOther(isolatorOther);
    OtherDevice sounder = StandaloneOther(0, 0);
    sounder.OtherSurge = 2500;
    const auto standaloneSounder = cat.AddOther(sounder);
    auto loop = NewLoop();
    for (int slot = 1; slot <= 10; ++slot)
        loop->DeviceType(slot, det);
    loop->DeviceStandalone(5, 7, standaloneIso);
    // 5 x 4000 = 20000 up to the isolator behind slot 5, then 5 x 4000 = 20000 after it.
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceStandalone(8, 3, standaloneSounder);  // 22500 after the isolator
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->DesignExplanation(),
              "The total switch-on surge current of devices between the isolator at address 5 and "
              "the control "
              "panel (23 mA) is too high.");
    // After the isolator its 20 mA are in force: passed at slot 10 (22500).
    EXPECT_EQ(SpacingFailPoint(*loop), std::make_pair(10, 0));
    loop->DeviceStandalone(3, 2, standaloneSounder);
    loop->DeviceStandalone(3, 4, standaloneSounder);
    loop->DeviceStandalone(3, 5, standaloneSounder);
    loop->DeviceStandalone(3, 6, standaloneSounder);
    loop->DeviceStandalone(3, 9, standaloneSounder);
    // Slot 3 with its sounders: 12000 + 5 x 2500 = 24500; slot 4: 28500; slot 5: 32500, more than
    // the panel's 30000; the isolator behind slot 5 then fails with 32500.
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(SpacingFailPoint(*loop), std::make_pair(5, 0));
    EXPECT_EQ(loop->DesignExplanation(),
              "The total switch-on surge current of devices between the control panel and the "
              "isolator at "
              "address 5 (33 mA) is too high.");
}

TEST_F(SurgeTest, SpacingFailPointNamesTheStandaloneSubAddress) {
    const auto det = cat.AddDevice(SurgeDevice(10000));
    OtherDevice sounder = StandaloneOther(0, 0);
    sounder.OtherSurge = 6000;
    const auto standaloneSounder = cat.AddOther(sounder);
    auto loop = NewLoop();
    loop->DeviceType(1, det);
    loop->DeviceType(2, det);
    loop->DeviceStandalone(2, 40, standaloneSounder);
    loop->DeviceStandalone(2, 12, standaloneSounder);
    // 20000 at slot 2, 26000 at sub-address 12, 32000 at sub-address 40.
    EXPECT_EQ(Check(*loop), 0);
    EXPECT_EQ(SpacingFailPoint(*loop), std::make_pair(2, 40));
}

TEST_F(SurgeTest, OtherDevicesAsIsolatorsAndAsLoads) {
    const auto det = cat.AddDevice(SurgeDevice(10000));
    OtherDevice isolatingBase = BaseOther(0, 0);
    isolatingBase.OtherSurge = 50000;  // an isolator's own surge is not a load
    isolatingBase.OtherMaxSurge = 20000;
    const auto isoBase = cat.AddOther(isolatingBase);
    OtherDevice loadOther = Other(0, 0);
    loadOther.OtherSurge = 12000;
    const auto load = cat.AddOther(loadOther);
    auto loop = NewLoop();
    loop->DeviceType(1, det);
    loop->DeviceOtherBaseType(1, isoBase);
    loop->DeviceType(2, det);
    // Own surge at slot 1: 10000 only; the base isolates with 20000; 20000 back to the panel.
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceOtherType(1, load);
    // Own surge 22000 > 20000 at the isolating base.
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->DesignExplanation(),
              "The total switch-on surge current of devices between the control panel and the "
              "isolator at "
              "address 1 (22 mA) is too high.");
}

TEST_F(SurgeTest, ACarrierOfOtherSlotsBasesAddsNoSurgeOfItsOwn) {
    DeviceTypeRecord carrier = SurgeDevice(25000);
    carrier.NoOtherDevices = true;
    const auto carrierType = cat.AddDevice(carrier);
    const auto iso = cat.AddDevice(SurgeDevice(0, 20000));
    auto loop = NewLoop();
    loop->DeviceType(50, carrierType);
    loop->DeviceType(60, iso);
    EXPECT_EQ(Check(*loop), 6);
    loop->DeviceBaseAddr(8, 50);  // a base at slot 8 belongs to slot 50
    EXPECT_EQ(Check(*loop), 0);
}

TEST_F(SurgeTest, TheOrderAlongTheCableDecidesTheSegments) {
    const auto det = cat.AddDevice(SurgeDevice(5000));
    const auto iso = cat.AddDevice(SurgeDevice(0, 20000));
    auto loop = NewLoop();
    for (int slot = 1; slot <= 8; ++slot)
        loop->DeviceType(slot, det);
    loop->DeviceType(9, iso);
    EXPECT_EQ(Check(*loop), 6);  // 40000 before the isolator
    loop->AddressOrder(9, 4);    // panel, 1, 2, 3, isolator, 4 .. 8
    EXPECT_EQ(Check(*loop), 6);  // 15000, then 25000 back to the panel
    EXPECT_EQ(loop->DesignExplanation(),
              "The total switch-on surge current of devices between the isolator at address 9 and "
              "the control "
              "panel (25 mA) is too high.");
    loop->AddressOrder(9, 5);
    EXPECT_EQ(Check(*loop), 0);  // 20000 on either side
}

// The checks follow the cable, not the slot numbers: the same devices in the same cable order
// give the same verdict wherever their slots are.
TEST_F(SurgeTest, RelabelledSlotsGiveTheSameVerdict) {
    std::mt19937 rng(5);
    std::vector<std::int16_t> types{
        cat.AddDevice(SurgeDevice(3000)), cat.AddDevice(SurgeDevice(7000)),
        cat.AddDevice(SurgeDevice(500, 25000)), cat.AddDevice(SurgeDevice(0, 40000))};
    OtherDevice isolatorOther = StandaloneOther(0, 0);
    isolatorOther.OtherMaxSurge = 30000;
    const auto standaloneIso = cat.AddOther(isolatorOther);
    int failures = 0;
    for (int round = 0; round < 200; ++round) {
        const int count = 5 + static_cast<int>(rng() % 60);
        std::vector<int> slots(255);
        std::iota(slots.begin(), slots.end(), 1);
        std::shuffle(slots.begin(), slots.end(), rng);
        auto natural = NewLoop();
        auto shuffled = NewLoop();
        for (int i = 0; i < count; ++i) {
            const std::int16_t type = types[rng() % types.size()];
            const bool withIsolator = rng() % 10 == 0;
            natural->DeviceType(i + 1, type);
            shuffled->DeviceType(slots[static_cast<std::size_t>(i)], type);
            if (withIsolator) {
                natural->DeviceStandalone(i + 1, 2, standaloneIso);
                shuffled->DeviceStandalone(slots[static_cast<std::size_t>(i)], 2, standaloneIso);
            }
            shuffled->AddressOrder(slots[static_cast<std::size_t>(i)], i + 1);
        }
        const int verdict = Check(*natural);
        ASSERT_EQ(Check(*shuffled), verdict) << round;
        failures += verdict == 6 ? 1 : 0;
        // Addresses in the explanation and the spacing point map through the relabelling.
        const auto relabel = [&](int slot) { return slots[static_cast<std::size_t>(slot - 1)]; };
        EXPECT_EQ(shuffled->DesignExplanation(),
                  MapNumbers(natural->DesignExplanation(), "address ", relabel))
            << round;
        const auto [slot, sub] = SpacingFailPoint(*natural);
        const auto mapped = slot == 0 ? 0 : slots[static_cast<std::size_t>(slot - 1)];
        EXPECT_EQ(SpacingFailPoint(*shuffled), std::make_pair(mapped, sub)) << round;
    }
    EXPECT_GT(failures, 20);
    EXPECT_LT(failures, 180);
}

// ---- Isolators between masters and slaves ---------------------------------------------------

class MasterSlaveTest : public ::testing::Test {
protected:
    EngineCatalogue cat;
    std::int16_t master{}, detector{}, isolator{}, slaveBase{}, masterBase{}, isolatingBase{};
    std::int16_t standaloneSlave{}, standaloneIsolator{};
    std::unique_ptr<clsCalculator> loop = NewLoop();

    void SetUp() override {
        DeviceTypeRecord m = Device(0, 0);
        m.IsMaster = true;
        master = cat.AddDevice(m);
        detector = cat.AddDevice(Device(0, 0));
        isolator = cat.AddDevice(Device(0, 0, 50));
        DeviceTypeRecord s = Device(0, 0);
        s.IsSlave = true;
        s.NoOtherDevices = true;
        slaveBase = cat.AddDevice(s);
        DeviceTypeRecord mb = Device(0, 0);
        mb.IsMaster = true;
        mb.NoOtherDevices = true;
        masterBase = cat.AddDevice(mb);
        isolatingBase = cat.AddOther(BaseOther(0, 0, 30));
        standaloneSlave = cat.AddOther(StandaloneOther(0, 0, 0));
        standaloneIsolator = cat.AddOther(StandaloneOther(0, 0, 40));
        for (int slot = 1; slot <= 30; ++slot)
            loop->DeviceType(slot, detector);
        loop->DeviceType(10, master);
    }

    // A base-mounted slave at `slot` listening to the master at `owner`.
    void SlaveAt(int slot, int owner = 10) {
        loop->DeviceBaseAddr(slot, owner);
        loop->DeviceBaseType(slot, slaveBase);
    }
};

TEST_F(MasterSlaveTest, NoMasterOnTheLoopPasses) {
    loop->DeviceType(10, isolator);
    SlaveAt(3);
    EXPECT_TRUE(loop->CheckMasterSlave());
}

TEST_F(MasterSlaveTest, SlaveTowardsThePanelWithNothingBetweenPasses) {
    SlaveAt(3);
    loop->DeviceType(2, isolator);  // between the panel and the slave: harmless
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceType(5, isolator);
    EXPECT_FALSE(loop->CheckMasterSlave());
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->LoopDesignShort(), "Isolator between Master/Slave");
    EXPECT_EQ(loop->LoopDesignLong(), "Isolator between\nMaster & Slave");
    EXPECT_EQ(loop->DesignExplanation(),
              "There is an Isolator between a Master device at address 10 and an associated Slave "
              "device wired "
              "with detector at address 3");
}

TEST_F(MasterSlaveTest, SlaveBeyondTheMaster) {
    SlaveAt(20);
    loop->DeviceType(25, isolator);  // beyond the slave
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceType(15, isolator);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              "There is an Isolator between a Master device at address 10 and an associated Slave "
              "device wired "
              "with detector at address 20");
}

TEST_F(MasterSlaveTest, AnIsolatingDeviceAtTheSlavesOwnSlotDoesNotCount) {
    loop->DeviceType(3, isolator);
    SlaveAt(3);
    loop->DeviceType(20, isolator);
    SlaveAt(20);
    EXPECT_EQ(Check(*loop), 0);
}

TEST_F(MasterSlaveTest, AnOtherBaseWithImpedanceIsolatesADeviceWithoutResistance) {
    SlaveAt(3);
    loop->DeviceOtherBaseType(6, isolatingBase);
    EXPECT_EQ(Check(*loop), 7);
    loop->DeviceOtherBaseType(6, 0);
    loop->DeviceOtherType(6, isolatingBase);  // as an ordinary other device it does not isolate
    EXPECT_EQ(Check(*loop), 0);
}

TEST_F(MasterSlaveTest, StandaloneSlaveTowardsThePanel) {
    loop->DeviceStandaloneTypeAndAddress(3, 2, standaloneSlave, 10);
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceStandalone(7, 60, standaloneIsolator);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              "There is an Isolator between a Master device at address 10 and an associated Slave "
              "device wired "
              "between addresses 3 and 4");
    // Its own slot's isolating device lies on the panel side of it.
    loop->DeviceStandalone(7, 60, 0);
    loop->DeviceType(3, isolator);
    EXPECT_EQ(Check(*loop), 0);
}

TEST_F(MasterSlaveTest, StandaloneSlaveBeyondTheMasterCountsItsOwnSlotsIsolator) {
    loop->DeviceType(20, isolator);
    loop->DeviceStandaloneTypeAndAddress(20, 5, standaloneSlave, 10);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              "There is an Isolator between a Master device at address 10 and an associated Slave "
              "device wired "
              "between addresses 20 and 21");
}

TEST_F(MasterSlaveTest, StandaloneSlaveAtTheLastPositionLiesBeforeThePanel) {
    loop->DeviceType(100, isolator);
    loop->DeviceStandaloneTypeAndAddress(255, 2, standaloneSlave, 10);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              "There is an Isolator between a Master device at address 10 and an associated Slave "
              "device wired "
              "between address 255 and control panel");
}

TEST_F(MasterSlaveTest, MasterBaseIsFoundWhereItsDetectorSits) {
    loop->DeviceType(50, masterBase);
    loop->DeviceBaseAddr(8, 50);
    loop->DeviceBaseType(8, masterBase);
    SlaveAt(3, 50);
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceType(5, isolator);  // between the slave and the detector at 8
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              "There is an Isolator between a Master device wired with detector at address 8 and "
              "an associated "
              "Slave device wired with detector at address 3");
}

// Towards the panel only the detector carrying a master base is passed over, so the master
// base's own slot, listening to itself, counts there like a slave.
TEST_F(MasterSlaveTest, MasterBaseSlotTowardsThePanelCountsLikeASlave) {
    loop->DeviceType(5, masterBase);
    loop->DeviceBaseAddr(8, 5);
    loop->DeviceBaseType(8, masterBase);
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceType(6, isolator);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              "There is an Isolator between a Master device wired with detector at address 8 and "
              "an associated "
              "Slave device wired with detector at address 5");
    // Beyond the detector the master base's own slot is passed over.
    loop->AddressOrder(5, 20);
    loop->DeviceType(6, detector);
    loop->DeviceType(12, isolator);
    EXPECT_EQ(Check(*loop), 0);
}

TEST_F(MasterSlaveTest, TheCableOrderDecidesWhatLiesBetween) {
    SlaveAt(3);
    loop->DeviceType(5, isolator);
    ASSERT_EQ(Check(*loop), 7);
    loop->AddressOrder(5, 1);  // the isolator now lies between the panel and the slave
    EXPECT_EQ(Check(*loop), 0);
    loop->AddressOrder(3, 12);  // the slave beyond the master, the isolator still before both
    EXPECT_EQ(Check(*loop), 0);
    loop->AddressOrder(5, 11);  // isolator between the master and the slave
    EXPECT_EQ(Check(*loop), 7);
}

// The same relabelling for masters, slaves and isolating devices: a loop on slots 1..n in
// natural order against the same cable sequence on shuffled slots.
TEST_F(MasterSlaveTest, RelabelledSlotsGiveTheSameVerdict) {
    std::mt19937 rng(9);
    int failures = 0;
    for (int round = 0; round < 300; ++round) {
        const int count = 8 + static_cast<int>(rng() % 120);
        std::vector<int> slots(255);
        std::iota(slots.begin(), slots.end(), 1);
        std::shuffle(slots.begin(), slots.end(), rng);
        auto natural = NewLoop();
        auto shuffled = NewLoop();
        // One to three masters; masters are checked in slot order, which the relabelling
        // changes, so the failing master is compared only when there is one.
        std::vector<int> masters;
        while (masters.size() < static_cast<std::size_t>(1 + round % 3)) {
            const int i = static_cast<int>(rng() % static_cast<unsigned>(count));
            if (std::find(masters.begin(), masters.end(), i) == masters.end()) masters.push_back(i);
        }
        for (int i = 0; i < count; ++i) {
            const bool isMaster = std::find(masters.begin(), masters.end(), i) != masters.end();
            const std::int16_t type = isMaster ? master : rng() % 10 == 0 ? isolator : detector;
            natural->DeviceType(i + 1, type);
            shuffled->DeviceType(slots[static_cast<std::size_t>(i)], type);
        }
        for (int i = 0; i < count; ++i) {
            const int owner = masters[rng() % masters.size()];
            const int roll = static_cast<int>(rng() % 30);
            const int here = slots[static_cast<std::size_t>(i)];
            const int there = slots[static_cast<std::size_t>(owner)];
            if (roll == 0) {
                natural->DeviceBaseAddr(i + 1, owner + 1);
                natural->DeviceBaseType(i + 1, slaveBase);
                shuffled->DeviceBaseAddr(here, there);
                shuffled->DeviceBaseType(here, slaveBase);
            } else if (roll <= 2) {
                const int sub = 2 + static_cast<int>(rng() % 124);
                const std::int16_t other = roll == 1 ? standaloneSlave : standaloneIsolator;
                const int address = roll == 1 ? owner + 1 : 0;
                natural->DeviceStandaloneTypeAndAddress(i + 1, sub, other, address);
                shuffled->DeviceStandaloneTypeAndAddress(here, sub, other, roll == 1 ? there : 0);
            } else if (roll == 3) {
                natural->DeviceOtherBaseType(i + 1, isolatingBase);
                shuffled->DeviceOtherBaseType(here, isolatingBase);
            }
        }
        for (int i = 0; i < count; ++i)
            shuffled->AddressOrder(slots[static_cast<std::size_t>(i)], i + 1);

        const int verdict = Check(*natural);
        ASSERT_EQ(Check(*shuffled), verdict) << round;
        failures += verdict == 7 ? 1 : 0;
        if (masters.size() > 1) continue;
        // Every number in the explanation is a slot: natural slot n lies at position n.
        const auto relabel = [&](int slot) { return shuffled->AddressFromOrder(slot); };
        EXPECT_EQ(shuffled->DesignExplanation(),
                  MapNumbers(natural->DesignExplanation(), "", relabel))
            << round;
    }
    EXPECT_GT(failures, 30);
    EXPECT_LT(failures, 270);
}

// ---- Dependent devices ----------------------------------------------------------------------

class DependentTest : public ::testing::Test {
protected:
    EngineCatalogue cat;
    std::int16_t interfaceType{}, radio{};
    std::unique_ptr<clsCalculator> loop = NewLoop();

    void SetUp() override {
        DeviceTypeRecord oli = Device(0, 0);
        oli.Name = "Ondrix Loop Interface Module";
        oli.MaximumDependents = 2;
        interfaceType = cat.AddDevice(oli);
        DeviceTypeRecord r = Device(0, 0);
        r.Name = "Radio Detector";
        r.DependsOnDevice = interfaceType;
        radio = cat.AddDevice(r);
    }
};

TEST_F(DependentTest, DependentWithoutItsDeviceFailsAtTheFirstSlot) {
    loop->DeviceType(9, radio);
    loop->DeviceType(4, radio);
    EXPECT_EQ(Check(*loop), 8);
    EXPECT_EQ(loop->LoopDesignShort(), "Ondrix Loop Interface");
    EXPECT_EQ(loop->LoopDesignLong(), "Not enough Ondrix\nLoop Interfaces");
    EXPECT_EQ(loop->DesignExplanation(),
              "Device at address 4 does not have a corresponding Ondrix Loop Interface Module.");
    loop->DeviceType(30, interfaceType);
    EXPECT_EQ(Check(*loop), 0);
}

TEST_F(DependentTest, TooManyDependents) {
    loop->DeviceType(2, interfaceType);
    loop->DeviceType(4, radio);
    loop->DeviceType(6, radio);
    EXPECT_EQ(Check(*loop), 0);  // exactly the maximum
    loop->DeviceType(9, radio);
    EXPECT_EQ(Check(*loop), 8);
    EXPECT_EQ(loop->DesignExplanation(),
              "There are more than 2 dependent devices per Ondrix Loop Interface Module.");
}

TEST_F(DependentTest, OnlyAddressableDevicesCount) {
    loop->DeviceBaseAddr(4, 4);
    loop->DeviceBaseType(4, radio);
    EXPECT_EQ(Check(*loop), 0);
}

TEST_F(DependentTest, DependentAtSlotZeroLeavesTheReasonUnknown) {
    loop->DeviceType(0, radio);
    EXPECT_EQ(Check(*loop), 8);
    EXPECT_EQ(loop->DesignExplanation(), "Unknown reason");
}

TEST_F(DependentTest, DependingOnATypeOutsideTheCatalogueFailsWithoutAFault) {
    DeviceTypeRecord stray = Device(0, 0);
    stray.DependsOnDevice = 99;
    loop->DeviceType(7, cat.AddDevice(stray));
    EXPECT_EQ(Check(*loop), 8);
    EXPECT_EQ(loop->DesignExplanation(), "Device at address 7 does not have a corresponding .");
}

TEST_F(DependentTest, SkippedWiringChecksNeverGiveWiringVerdicts) {
    EngineCatalogue& c = cat;
    loop->DeviceType(4, radio);                               // dependent without its device
    loop->DeviceType(5, c.AddDevice(SurgeDevice(50000, 1)));  // surge too high
    Recalculate(*loop, false);
    EXPECT_EQ(loop->LoopDesign(), 0);
    EXPECT_EQ(Check(*loop), 6);  // surge is judged first
}

}  // namespace
