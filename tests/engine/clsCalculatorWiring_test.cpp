// The wiring checks: switch-on surge between isolators, isolators between a master and its
// slaves, and devices that need another device on the loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "engine/EngineFixtures.h"

namespace {

// Runs the calculation with the wiring checks on.
std::int32_t Check(clsCalculator& loop) {
    Recalculate(loop, true);
    return loop.LoopDesign();
}

std::pair<int, int> SpacingFailPoint(const clsCalculator& loop) {
    std::int32_t slot = -1, sub = -1;
    loop.GetIsolatorSpacingFailPoint(slot, sub);
    return {slot, sub};
}

class SurgeTest : public ::testing::Test {
protected:
    EngineCatalogue cat;
    static void Fill(clsCalculator& loop, std::int16_t type, int first, int last) {
        for (int slot = first; slot <= last; ++slot)
            loop.DeviceType(slot, type);
    }
};

TEST_F(SurgeTest, EachSegmentBetweenIsolatorsIsJudgedByItsIsolator) {
    auto loop = NewLoop();
    Fill(*loop, cat.AddDevice(SurgeDevice(6500)), 1, 6);
    loop->DeviceType(7, cat.AddDevice(SurgeDevice(3000, 40000)));
    // 6 x 6500 + 3000 = 42000 > 40000 at the isolator.
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->DesignExplanation(),
              "The total switch-on surge current of devices between the control panel and the "
              "isolator at address 7 (42 mA) is too high.");
    // Before the isolator the panel's 30 mA was in force: passed at slot 5 (32500).
    EXPECT_EQ(SpacingFailPoint(*loop), std::make_pair(5, 0));

    // The last segment back to the panel is judged by the last isolator: restart at the
    // isolator's own 1000, then 1000 + 2 x 17000 = 35000 > 30000.
    auto last = NewLoop();
    Fill(*last, cat.AddDevice(SurgeDevice(2000)), 1, 11);
    last->DeviceType(12, cat.AddDevice(SurgeDevice(1000, 30000)));
    Fill(*last, cat.AddDevice(SurgeDevice(17000)), 13, 14);
    EXPECT_EQ(Check(*last), 6);
    EXPECT_EQ(last->DesignExplanation(),
              "The total switch-on surge current of devices between the isolator at address 12 "
              "and the control panel (35 mA) is too high.");

    // A loop without isolators always passes but notes where the panel's limit was passed.
    auto none = NewLoop();
    Fill(*none, cat.AddDevice(SurgeDevice(5000)), 1, 20);
    EXPECT_EQ(Check(*none), 0);
    EXPECT_EQ(SpacingFailPoint(*none), std::make_pair(7, 0));  // 35000 at the seventh
}

class MasterSlaveTest : public ::testing::Test {
protected:
    EngineCatalogue cat;
    std::int16_t master{}, detector{}, isolator{}, slaveBase{}, isolatingBase{};
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
        isolatingBase = cat.AddOther(BaseOther(0, 0, 30));
        standaloneSlave = cat.AddOther(StandaloneOther(0, 0, 0));
        standaloneIsolator = cat.AddOther(StandaloneOther(0, 0, 40));
        Reset();
    }
    // Detectors on slots 1 to 30, the master at 10.
    void Reset() {
        loop = NewLoop();
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

TEST_F(MasterSlaveTest, AnIsolatorBetweenAMasterAndItsBaseMountedSlaveFails) {
    SlaveAt(3);
    loop->DeviceType(2, isolator);  // between the panel and the slave: harmless
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceType(5, isolator);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(
        std::make_tuple(loop->LoopDesignShort(), loop->LoopDesignLong(), loop->DesignExplanation()),
        std::make_tuple("Isolator between Master/Slave", "Isolator between\nMaster & Slave",
                        "There is an Isolator between a Master device at address 10 and an "
                        "associated Slave device wired with detector at address 3"));

    Reset();  // an other base with impedance isolates a device without resistance
    SlaveAt(3);
    loop->DeviceOtherBaseType(6, isolatingBase);
    EXPECT_EQ(Check(*loop), 7);
    loop->DeviceOtherBaseType(6, 0);
    loop->DeviceOtherType(6, isolatingBase);  // as an ordinary other device it does not isolate
    EXPECT_EQ(Check(*loop), 0);
}

// The checks follow the cable, not the slot numbers: masters, slaves and isolating devices on
// slots 1..n in natural order give the verdict of the same cable sequence on shuffled slots.
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
        // One to three masters.
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
    }
    EXPECT_GT(failures, 30);
    EXPECT_LT(failures, 270);
}

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

TEST_F(DependentTest, DependentsNeedTheirDeviceAndAreLimitedPerDevice) {
    loop->DeviceType(9, radio);
    loop->DeviceType(4, radio);
    EXPECT_EQ(Check(*loop), 8);
    EXPECT_EQ(
        std::make_tuple(loop->LoopDesignShort(), loop->LoopDesignLong(), loop->DesignExplanation()),
        std::make_tuple("Ondrix Loop Interface", "Not enough Ondrix\nLoop Interfaces",
                        "Device at address 4 does not have a corresponding Ondrix Loop "
                        "Interface Module."));
    loop->DeviceType(30, interfaceType);
    EXPECT_EQ(Check(*loop), 0);  // exactly the maximum
    loop->DeviceType(12, radio);
    EXPECT_EQ(Check(*loop), 8);
    EXPECT_EQ(loop->DesignExplanation(),
              "There are more than 2 dependent devices per Ondrix Loop Interface Module.");
    // Only addressable devices count: a base of the dependent type is none.
    loop->DeviceType(12, 0);
    loop->DeviceBaseAddr(14, 14);
    loop->DeviceBaseType(14, radio);
    EXPECT_EQ(Check(*loop), 0);
}

}  // namespace
