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

// The explanations of the two wiring verdicts.
std::string ToIsolator(int address, const std::string& surge) {
    return "The total switch-on surge current of devices between the control panel and the "
           "isolator at address " +
           std::to_string(address) + " (" + surge + ") is too high.";
}
std::string FromIsolator(int address, const std::string& surge) {
    return "The total switch-on surge current of devices between the isolator at address " +
           std::to_string(address) + " and the control panel (" + surge + ") is too high.";
}
std::string Between(const std::string& master, const std::string& slave) {
    return "There is an Isolator between a Master device " + master +
           " and an associated Slave device " + slave;
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
    // A standalone other device with this surge, isolating up to maxSurge when not 0.
    std::int16_t Standalone(std::int32_t surge, std::int32_t maxSurge = 0) {
        OtherDevice o = StandaloneOther(0, 0);
        o.OtherSurge = surge;
        o.OtherMaxSurge = maxSurge;
        return cat.AddOther(o);
    }
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
    EXPECT_EQ(loop->LoopDesignShort(), "Surge Current Too High");
    EXPECT_EQ(loop->LoopDesignLong(), "Switch-on Surge\nToo High");
    EXPECT_EQ(loop->DesignExplanation(), ToIsolator(7, "42 mA"));
    // Before the isolator the panel's 30 mA was in force: passed at slot 5 (32500).
    EXPECT_EQ(SpacingFailPoint(*loop), std::make_pair(5, 0));

    // The last segment back to the panel is judged by the last isolator: restart at the
    // isolator's own 1000, then 1000 + 2 x 17000 = 35000 > 30000.
    auto last = NewLoop();
    Fill(*last, cat.AddDevice(SurgeDevice(2000)), 1, 11);
    last->DeviceType(12, cat.AddDevice(SurgeDevice(1000, 30000)));
    Fill(*last, cat.AddDevice(SurgeDevice(17000)), 13, 14);
    EXPECT_EQ(Check(*last), 6);
    EXPECT_EQ(last->DesignExplanation(), FromIsolator(12, "35 mA"));

    // An isolator's own surge can exceed its limit.
    auto own = NewLoop();
    own->DeviceType(3, cat.AddDevice(SurgeDevice(25000, 20000)));
    EXPECT_EQ(Check(*own), 6);
    EXPECT_EQ(own->DesignExplanation(), ToIsolator(3, "25 mA"));

    // A loop without isolators always passes but notes where the panel's limit was passed.
    auto none = NewLoop();
    Fill(*none, cat.AddDevice(SurgeDevice(5000)), 1, 20);
    EXPECT_EQ(Check(*none), 0);
    EXPECT_EQ(SpacingFailPoint(*none), std::make_pair(7, 0));  // 35000 at the seventh
}

TEST_F(SurgeTest, ExactlyAtTheLimitPassesAndTheCableOrderDecidesTheSegments) {
    const auto det = cat.AddDevice(SurgeDevice(5000));
    const auto iso = cat.AddDevice(SurgeDevice(0, 20000));
    auto loop = NewLoop();
    Fill(*loop, det, 1, 4);
    loop->DeviceType(5, iso);
    Fill(*loop, det, 6, 9);
    EXPECT_EQ(Check(*loop), 0);  // 20000 on either side
    loop->DeviceType(10, cat.AddDevice(SurgeDevice(1)));
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->DesignExplanation(), FromIsolator(5, "20 mA"));

    auto ordered = NewLoop();
    Fill(*ordered, det, 1, 8);
    ordered->DeviceType(9, iso);
    EXPECT_EQ(Check(*ordered), 6);  // 40000 before the isolator
    ordered->AddressOrder(9, 4);    // panel, 1, 2, 3, isolator, 4 .. 8
    EXPECT_EQ(Check(*ordered), 6);  // 15000, then 25000 back to the panel
    EXPECT_EQ(ordered->DesignExplanation(), FromIsolator(9, "25 mA"));
    ordered->AddressOrder(9, 5);
    EXPECT_EQ(Check(*ordered), 0);  // 20000 on either side
}

TEST_F(SurgeTest, StandaloneDevicesAsIsolatorsAndAsLoads) {
    auto loop = NewLoop();
    Fill(*loop, cat.AddDevice(SurgeDevice(4000)), 1, 10);
    loop->DeviceStandalone(5, 7, Standalone(9000, 20000));
    // 5 x 4000 = 20000 up to the isolator behind slot 5, then 5 x 4000 = 20000 after it: an
    // isolator restarts the sum at zero.
    EXPECT_EQ(Check(*loop), 0);
    const auto sounder = Standalone(2500);
    loop->DeviceStandalone(8, 3, sounder);  // 22500 after the isolator
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->DesignExplanation(), FromIsolator(5, "23 mA"));
    // After the isolator its 20 mA are in force: passed at slot 10 (22500).
    EXPECT_EQ(SpacingFailPoint(*loop), std::make_pair(10, 0));
    for (int sub : {2, 4, 5, 6, 9})
        loop->DeviceStandalone(3, sub, sounder);
    // Slot 3 with its sounders: 12000 + 5 x 2500 = 24500; slot 4: 28500; slot 5: 32500, more than
    // the panel's 30000; the isolator behind slot 5 then fails with 32500.
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(SpacingFailPoint(*loop), std::make_pair(5, 0));
    EXPECT_EQ(loop->DesignExplanation(), ToIsolator(5, "33 mA"));

    // The spacing fail point names the standalone sub-address: 20000 at slot 2, 26000 at
    // sub-address 12, 32000 at sub-address 40.
    auto subs = NewLoop();
    Fill(*subs, cat.AddDevice(SurgeDevice(10000)), 1, 2);
    subs->DeviceStandalone(2, 40, Standalone(6000));
    subs->DeviceStandalone(2, 12, subs->DeviceStandalone(2, 40));
    EXPECT_EQ(Check(*subs), 0);
    EXPECT_EQ(SpacingFailPoint(*subs), std::make_pair(2, 40));
}

TEST_F(SurgeTest, OtherDevicesAsIsolatorsAndAsLoadsAndCarriersOfOtherSlotsBases) {
    const auto det = cat.AddDevice(SurgeDevice(10000));
    OtherDevice isolatingBase = BaseOther(0, 0);
    isolatingBase.OtherSurge = 50000;  // an isolator's own surge is not a load
    isolatingBase.OtherMaxSurge = 20000;
    OtherDevice loadOther = Other(0, 0);
    loadOther.OtherSurge = 12000;
    auto loop = NewLoop();
    Fill(*loop, det, 1, 2);
    loop->DeviceOtherBaseType(1, cat.AddOther(isolatingBase));
    // Own surge at slot 1: 10000 only; the base isolates with 20000; 20000 back to the panel.
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceOtherType(1, cat.AddOther(loadOther));
    // Own surge 22000 > 20000 at the isolating base.
    EXPECT_EQ(Check(*loop), 6);
    EXPECT_EQ(loop->DesignExplanation(), ToIsolator(1, "22 mA"));

    // A carrier of other slots' bases adds no surge of its own.
    DeviceTypeRecord carrier = SurgeDevice(25000);
    carrier.NoOtherDevices = true;
    auto carrying = NewLoop();
    carrying->DeviceType(50, cat.AddDevice(carrier));
    carrying->DeviceType(60, cat.AddDevice(SurgeDevice(0, 20000)));
    EXPECT_EQ(Check(*carrying), 6);
    carrying->DeviceBaseAddr(8, 50);  // a base at slot 8 belongs to slot 50
    EXPECT_EQ(Check(*carrying), 0);
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
    EXPECT_FALSE(loop->CheckMasterSlave());
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->LoopDesignShort(), "Isolator between Master/Slave");
    EXPECT_EQ(loop->LoopDesignLong(), "Isolator between\nMaster & Slave");
    EXPECT_EQ(loop->DesignExplanation(),
              Between("at address 10", "wired with detector at address 3"));
    loop->DeviceType(10, isolator);  // no master on the loop
    EXPECT_TRUE(loop->CheckMasterSlave());

    Reset();  // a slave beyond the master
    SlaveAt(20);
    loop->DeviceType(25, isolator);  // beyond the slave
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceType(15, isolator);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              Between("at address 10", "wired with detector at address 20"));

    Reset();  // an isolating device at the slave's own slot does not count
    loop->DeviceType(3, isolator);
    SlaveAt(3);
    loop->DeviceType(20, isolator);
    SlaveAt(20);
    EXPECT_EQ(Check(*loop), 0);

    Reset();  // an other base with impedance isolates a device without resistance
    SlaveAt(3);
    loop->DeviceOtherBaseType(6, isolatingBase);
    EXPECT_EQ(Check(*loop), 7);
    loop->DeviceOtherBaseType(6, 0);
    loop->DeviceOtherType(6, isolatingBase);  // as an ordinary other device it does not isolate
    EXPECT_EQ(Check(*loop), 0);

    Reset();  // the cable order decides what lies between
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

TEST_F(MasterSlaveTest, StandaloneSlavesLieBetweenTheirSlotAndTheNext) {
    loop->DeviceStandaloneTypeAndAddress(3, 2, standaloneSlave, 10);
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceStandalone(7, 60, standaloneIsolator);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              Between("at address 10", "wired between addresses 3 and 4"));
    // Towards the panel its own slot's isolating device lies on the panel side of it; beyond
    // the master it counts.
    loop->DeviceStandalone(7, 60, 0);
    loop->DeviceType(3, isolator);
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceType(20, isolator);
    loop->DeviceStandaloneTypeAndAddress(20, 5, standaloneSlave, 10);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              Between("at address 10", "wired between addresses 20 and 21"));

    Reset();  // at the last position it lies before the panel
    loop->DeviceType(100, isolator);
    loop->DeviceStandaloneTypeAndAddress(255, 2, standaloneSlave, 10);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              Between("at address 10", "wired between address 255 and control panel"));
}

TEST_F(MasterSlaveTest, AMasterBaseIsFoundWhereItsDetectorSits) {
    loop->DeviceType(50, masterBase);
    loop->DeviceBaseAddr(8, 50);
    loop->DeviceBaseType(8, masterBase);
    SlaveAt(3, 50);
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceType(5, isolator);  // between the slave and the detector at 8
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              Between("wired with detector at address 8", "wired with detector at address 3"));

    // Towards the panel only the detector carrying a master base is passed over, so the master
    // base's own slot, listening to itself, counts there like a slave.
    Reset();
    loop->DeviceType(5, masterBase);
    loop->DeviceBaseAddr(8, 5);
    loop->DeviceBaseType(8, masterBase);
    EXPECT_EQ(Check(*loop), 0);
    loop->DeviceType(6, isolator);
    EXPECT_EQ(Check(*loop), 7);
    EXPECT_EQ(loop->DesignExplanation(),
              Between("wired with detector at address 8", "wired with detector at address 5"));
    // Beyond the detector the master base's own slot is passed over.
    loop->AddressOrder(5, 20);
    loop->DeviceType(6, detector);
    loop->DeviceType(12, isolator);
    EXPECT_EQ(Check(*loop), 0);
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

TEST_F(DependentTest, DependentsNeedTheirDeviceAndAreLimitedPerDevice) {
    loop->DeviceType(9, radio);
    loop->DeviceType(4, radio);
    EXPECT_EQ(Check(*loop), 8);
    EXPECT_EQ(loop->LoopDesignShort(), "Ondrix Loop Interface");
    EXPECT_EQ(loop->LoopDesignLong(), "Not enough Ondrix\nLoop Interfaces");
    // The first slot without its device is named.
    EXPECT_EQ(loop->DesignExplanation(),
              "Device at address 4 does not have a corresponding Ondrix Loop Interface Module.");
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

TEST_F(DependentTest, OddDependentsFailWithoutAFault) {
    loop->DeviceType(0, radio);
    EXPECT_EQ(Check(*loop), 8);
    EXPECT_EQ(loop->DesignExplanation(), "Unknown reason");  // slot 0 leaves it unknown

    DeviceTypeRecord stray = Device(0, 0);
    stray.DependsOnDevice = 99;  // a type outside the catalogue
    auto strayLoop = NewLoop();
    strayLoop->DeviceType(7, cat.AddDevice(stray));
    EXPECT_EQ(Check(*strayLoop), 8);
    EXPECT_EQ(strayLoop->DesignExplanation(),
              "Device at address 7 does not have a corresponding .");

    // Skipped wiring checks never give wiring verdicts; with them, surge is judged first.
    strayLoop->DeviceType(5, cat.AddDevice(SurgeDevice(50000, 1)));
    Recalculate(*strayLoop, false);
    EXPECT_EQ(strayLoop->LoopDesign(), 0);
    EXPECT_EQ(Check(*strayLoop), 6);
}

}  // namespace
