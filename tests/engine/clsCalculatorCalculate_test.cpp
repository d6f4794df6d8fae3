// The loop calculation: currents and panel limits, volt drop, longest cable run, smallest cable
// and the order of the verdict rules. Expected values are worked out by hand in the comments.
#include <gtest/gtest.h>

#include "engine/EngineFixtures.h"
#include "shell/ErrorHandler.h"

namespace {

constexpr Amount uA(std::int64_t whole) {
    return Amount::FromWhole(whole);
}
Amount Volts(std::int64_t tenths) {
    return Amount::FromScaled(tenths * 1000);
}

class CalculateTest : public ::testing::Test {
protected:
    EngineCatalogue cat;

    // n devices of one type on slots first..first+n-1.
    static void Place(clsCalculator& loop, std::int16_t type, int n, int first = 1) {
        for (int slot = first; slot < first + n; ++slot)
            loop.DeviceType(slot, type);
    }
    // A device type drawing these currents that needs this voltage (hundredths).
    std::int16_t Needing(std::int16_t minimum, std::int32_t quiescent, std::int32_t alarm,
                         double resistance = 0) {
        DeviceTypeRecord d = Device(quiescent, alarm, resistance);
        d.MinimumVoltage = minimum;
        return cat.AddDevice(d);
    }
};

// ---- Currents and the panel's limits --------------------------------------------------------

TEST_F(CalculateTest, EmptyLoopIsSatisfactoryUnlessTheFirstRunIsLongerThanTheWhole) {
    auto loop = NewLoop();
    loop->CableTotal(5000);
    loop->CableImpedance(1810);
    loop->SetPanelData(256, 256, 256, 2400, 500, 100);
    Recalculate(*loop);
    EXPECT_EQ(loop->QtyDevices(), 0);
    EXPECT_EQ(std::make_tuple(loop->QuiescentCurrentTotal(), loop->AlarmCurrentTotal(),
                              loop->VoltDrop(), loop->MaxVoltDrop(), loop->LoopDesign()),
              std::make_tuple(Amount{}, Amount{}, Amount{}, Volts(240), 0));
    loop->CableFirst(5001);
    Recalculate(*loop);
    EXPECT_EQ(loop->LoopDesign(), 4);
    loop->CableFirst(5000);
    Recalculate(*loop);
    EXPECT_EQ(loop->LoopDesign(), 0);
}

TEST_F(CalculateTest, ThePanelLightsOnlyTheLargestLedsAndDrivesTheLargestOutputs) {
    const auto big = cat.AddDevice(DeviceWithOutput(3000, kLedOutput, 2000));
    const auto small = cat.AddDevice(DeviceWithOutput(3000, kLedOutput, 500));
    auto loop = NewLoop();
    Place(*loop, big, 5, 1);
    Place(*loop, small, 5, 6);
    loop->SetPanelData(4, 256, 256, 2400, 500, 0);
    Recalculate(*loop);
    // 10 lit LEDs, 4 allowed: 2000 x 4 stay; one 2000 and five 500 go.
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(10 * 3000 - (2000 + 5 * 500)));
    EXPECT_EQ(loop->AlarmCurrentTotal(), uA(25500));
    EXPECT_EQ(loop->PanelLimitText(), "with panel-limited LEDs");
    loop->SetPanelData(10, 256, 256, 2400, 500, 0);
    Recalculate(*loop);
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(30000));
    EXPECT_EQ(loop->PanelLimitText(), "");

    const auto relay = cat.AddDevice(DeviceWithOutput(4000, kDrivenOutput, 1000));
    const auto bigRelay = cat.AddDevice(DeviceWithOutput(4000, kDrivenOutput, 2500));
    auto outputs = NewLoop();
    Place(*outputs, relay, 3, 1);
    Place(*outputs, bigRelay, 2, 4);
    outputs->MaxOutput(0);
    Recalculate(*outputs);
    // MaxOutput 0: every output current comes off.
    EXPECT_EQ(outputs->AlarmCurrentDevices(), uA(5 * 4000 - 3 * 1000 - 2 * 2500));
    EXPECT_EQ(outputs->PanelLimitText(), "with panel-limited outputs");
    // The limit is the smaller of MaxOutput and the panel: min(3, 2) = 2, the two 2500 stay.
    outputs->MaxOutput(3);
    outputs->SetPanelData(256, 256, 2, 2400, 500, 0);
    Recalculate(*outputs);
    EXPECT_EQ(outputs->AlarmCurrentDevices(), uA(20000 - 3 * 1000));
    outputs->SetPanelData(256, 256, 5, 2400, 500, 0);
    Recalculate(*outputs);
    EXPECT_EQ(outputs->AlarmCurrentDevices(), uA(20000 - 2 * 1000));
}

TEST_F(CalculateTest, LedAndOutputLimitsTogetherNeverGoBelowZero) {
    DeviceTypeRecord t = Device(0, 100);
    t.OutputUse = {kLedOutput, kDrivenOutput, kRemoteOutput};
    t.OutputBitCurrent = {3000, 4000, 9999};  // group 3 is neither an LED nor an output
    auto loop = NewLoop();
    Place(*loop, cat.AddDevice(t), 2);
    loop->MaxOutput(0);
    loop->SetPanelData(0, 256, 256, 2400, 500, 0);
    Recalculate(*loop);
    // 200 - 6000 - 8000 is negative: the devices' alarm current is 0.
    EXPECT_EQ(loop->AlarmCurrentDevices(), Amount{});
    EXPECT_EQ(loop->AlarmCurrentTotal(), Amount{});
    EXPECT_EQ(loop->PanelLimitText(), "with panel-limited LEDs and outputs");
}

TEST_F(CalculateTest, OtherDevicesRemoteLedsAndStandaloneDevices) {
    const auto det = cat.AddDevice(Device(100, 1000));
    OtherDevice remote = Other(40, 700);
    remote.FromRemote = true;
    const auto remoteOther = cat.AddOther(remote);
    const auto plain = cat.AddOther(Other(25, 300));
    auto loop = NewLoop();
    loop->DeviceType(1, det);
    loop->DeviceOtherType(1, remoteOther);
    loop->DeviceOtherType(2, remoteOther);  // no device at slot 2: no remote output to drive it
    loop->DeviceOtherBaseType(3, plain);    // no device at slot 3 either: a plain other alarms
    Recalculate(*loop);
    EXPECT_EQ(loop->QuiescentCurrentTotal(), uA(100 + 40 + 40 + 25));
    EXPECT_EQ(loop->AlarmCurrentTotal(), uA(1000 + 700 + 300));
    EXPECT_EQ(loop->AlarmCurrentDevices(), uA(1000));
    EXPECT_EQ(loop->QuiescentCurrentDevices(), uA(100));

    // Remote LEDs are limited by the panel.
    OtherDevice led = Other(0, 800);
    led.FromRemote = led.FromRemoteSecond = true;
    const auto bright = cat.AddOther(led);
    led.OtherAlarm = 300;
    const auto dim = cat.AddOther(led);
    auto leds = NewLoop();
    Place(*leds, det, 3);
    leds->DeviceOtherType(1, bright);
    leds->DeviceOtherType(2, dim);
    leds->DeviceOtherBaseType(3, bright);
    leds->SetPanelData(256, 1, 256, 2400, 500, 0);
    Recalculate(*leds);
    // 3000 + 800 + 300 + 800; one remote LED lit: 300 and one 800 come off.
    EXPECT_EQ(leds->AlarmCurrentTotal(), uA(4900 - 300 - 800));
    EXPECT_EQ(leds->AlarmCurrentDevices(), uA(3000));
    EXPECT_EQ(leds->PanelLimitText(), "with panel-limited LEDs");

    // Standalone devices add to the totals and the load count.
    const auto sounder = cat.AddOther(StandaloneOther(60, 10000));
    auto standalone = NewLoop();
    standalone->DeviceType(1, cat.AddDevice(Device(100, 10000)));
    standalone->DeviceStandalone(1, 2, sounder);
    standalone->DeviceStandalone(1, 3, sounder);
    standalone->DeviceStandalone(9, 2, sounder);  // behind a slot without a device: not a load
    standalone->CableTotal(10000);
    standalone->CableImpedance(2000);
    Recalculate(*standalone);
    EXPECT_EQ(standalone->QuiescentCurrentTotal(), uA(100 + 3 * 60));
    EXPECT_EQ(standalone->AlarmCurrentTotal(), uA(40000));
    // Load count 1 + 2 = 3: factor 4/3/2 = 2/3. Cable 10000 x 2 / 5 = 4000, R = 4000 x 2/3,
    // V = 40000 x 2666.67 / 1e7 = 10.67 -> 11 tenths.
    EXPECT_EQ(standalone->VoltDrop(), Volts(11));
}

TEST_F(CalculateTest, MaxVoltDropIsDriveVoltageLessTheHighestMinimum) {
    OtherDevice o = Other(0, 0);
    o.OtherMinVolts = 1900;
    const auto needy = cat.AddOther(o);
    auto loop = NewLoop();
    loop->DeviceType(4, Needing(1750, 0, 0));
    Recalculate(*loop);
    EXPECT_EQ(loop->MaxVoltDrop(), Amount::FromScaled(65000));  // (2400 - 1750) / 100 = 6.5 V
    loop->DeviceOtherBaseType(90, needy);                       // raises it even without a device
    Recalculate(*loop);
    EXPECT_EQ(loop->MaxVoltDrop(), Volts(50));
    loop->SetPanelData(256, 256, 256, 1800, 500, 0);
    Recalculate(*loop);
    EXPECT_EQ(loop->MaxVoltDrop(), Amount::FromScaled(-10000));  // -1 V: every drop is too high
    EXPECT_EQ(loop->LoopDesign(), 2);

    // The subtraction is sixteen-bit: -32767 - 1 still fits, -32768 - 1 is an overflow fault.
    auto low = NewLoop();
    low->DeviceType(4, Needing(1, 0, 0));
    low->SetPanelData(256, 256, 256, -32767, 500, 0);
    Recalculate(*low);
    EXPECT_EQ(low->MaxVoltDrop(), Amount::FromScaled(-32768LL * 100));
    low->SetPanelData(256, 256, 256, -32768, 500, 0);
    try {
        Recalculate(*low);
        FAIL() << "no overflow";
    } catch (const RuntimeFault& fault) {
        EXPECT_EQ(fault.number, 6);
    }
}

// ---- Volt drop (calculation type 0) ----------------------------------------------------------

class VoltDropTest : public CalculateTest {
protected:
    // 20 devices drawing 5 mA each in alarm: 100 mA; 500 m of 18.1 ohm/km cable; 1 ohm driver;
    // 24 V drive and 17 V needed: 7 V may be lost.
    std::unique_ptr<clsCalculator> TwentyDevices(double internalResistance = 0) {
        auto loop = NewLoop();
        Place(*loop, Needing(1700, 200, 5000, internalResistance), 20);
        loop->CableTotal(5000);
        loop->CableImpedance(1810);
        loop->SetPanelData(256, 256, 256, 2400, 500, 100);
        return loop;
    }
};

TEST_F(VoltDropTest, EvenlySpreadDevicesAndTheFirstRun) {
    auto loop = TwentyDevices();
    Recalculate(*loop);
    // r = 1.81; both cores: 5000 x 1.81 / 5 = 1810 (18.1 ohm); factor (20 + 1) / 20 / 2 = 0.525;
    // R = 1810 x 0.525 + 100 = 1050.25; V = 100000 x 1050.25 / 1e7 = 10.5025 -> 11 tenths.
    EXPECT_EQ(loop->VoltDrop(), Volts(11));
    EXPECT_EQ(loop->MaxVoltDrop(), Volts(70));
    EXPECT_EQ(loop->LoopDesign(), 0);
    // The first run carries the whole current.
    loop->CableFirst(1000);
    Recalculate(*loop);
    // f = (5000 - 1000) / 5000 x 0.525 + 1000 / 5000 = 0.62; R = 1810 x 0.62 + 100 = 1222.2;
    // V = 100000 x 1222.2 / 1e7 = 12.222 -> 12 tenths.
    EXPECT_EQ(loop->VoltDrop(), Volts(12));
    loop->CableFirst(5000);  // all devices at the end: f = 1
    Recalculate(*loop);
    // R = 1810 + 100; V = 19.1 -> 19 tenths.
    EXPECT_EQ(loop->VoltDrop(), Volts(19));
}

TEST_F(VoltDropTest, SeriesResistanceOfDevicesAndOtherDevices) {
    auto loop = TwentyDevices(50);
    Recalculate(*loop);
    // S = 20 x 50 = 1000; R = (1810 + 1000) x 0.525 + 100 = 1575.25; V = 15.7525 -> 16.
    EXPECT_EQ(loop->VoltDrop(), Volts(16));
    loop->DeviceOtherType(3, cat.AddOther(Other(0, 0, 200)));
    loop->DeviceStandalone(4, 2, cat.AddOther(StandaloneOther(0, 0, 300)));
    Recalculate(*loop);
    // S = 1500, loads 21: f = 22 / 21 / 2; R = 3310 x 0.5238095 + 100 = 1833.81; V = 18.34 -> 18.
    EXPECT_EQ(loop->VoltDrop(), Volts(18));
}

TEST_F(VoltDropTest, RoundingAndTheBoundsOfTheDrop) {
    const auto det = cat.AddDevice(Device(0, 10000));
    auto loop = NewLoop();
    loop->DeviceType(1, det);
    loop->SetPanelData(256, 256, 256, 2400, 500, 500);
    Recalculate(*loop);
    EXPECT_EQ(loop->VoltDrop(), Volts(0));  // 10000 x 500 / 1e7 = 0.5 -> 0 (half to even)
    Place(*loop, det, 2, 2);
    Recalculate(*loop);
    EXPECT_EQ(loop->VoltDrop(), Volts(2));  // 30000 x 500 / 1e7 = 1.5 -> 2

    // The drop never exceeds the drive voltage.
    auto twenty = TwentyDevices();
    twenty->SetPanelData(256, 256, 256, 105, 500, 100);  // 1.05 V drive: at most 10.5 tenths
    Recalculate(*twenty);
    // 10.5025 is more than 10.5, so the drop is 10.5 -> 10 (half to even).
    EXPECT_EQ(twenty->VoltDrop(), Volts(10));
    twenty->SetPanelData(256, 256, 256, 2000, 500, 100);
    twenty->CableTotal(20000);
    twenty->CableImpedance(10000);
    Recalculate(*twenty);
    // R = 40000 x 0.525 + 100 = 21100, V = 211 tenths: more than the 20 V driven.
    EXPECT_EQ(twenty->VoltDrop(), Volts(200));

    // A drop exactly at the maximum passes: 1 device, 70 mA, driver 100 ohm:
    // V = 70000 x 10000 / 1e7 = 70 tenths, 7.0 V exactly.
    auto exact = NewLoop();
    exact->DeviceType(1, Needing(1700, 0, 70000));
    exact->SetPanelData(256, 256, 256, 2400, 500, 10000);
    Recalculate(*exact);
    EXPECT_EQ(exact->VoltDrop(), exact->MaxVoltDrop());
    EXPECT_EQ(exact->LoopDesign(), 0);
    exact->SetPanelData(256, 256, 256, 2400, 500, 10080);  // 70.56 -> 71 tenths
    Recalculate(*exact);
    EXPECT_EQ(exact->VoltDrop(), Volts(71));
    EXPECT_EQ(exact->LoopDesign(), 2);
    // An unknown calculation type has no volt drop.
    exact->CalcType(3);
    Recalculate(*exact);
    EXPECT_EQ(exact->VoltDrop(), Amount{});
}

// ---- Maximum cable run (calculation type 1) -------------------------------------------------

class CableRunTest : public CalculateTest {
protected:
    // 10 devices of 20 mA: 200 mA; 7 V may be lost; driver 1 ohm; cable 18.1 ohm/km.
    // A = 7 / 200000 x 1e8 - 100 = 3400; f0 = 11 / 10 / 2 = 0.55; r = 1.81.
    std::unique_ptr<clsCalculator> TenDevices(double resistance = 0, std::int32_t alarm = 20000,
                                              std::int16_t minimum = 1700) {
        auto loop = NewLoop();
        Place(*loop, Needing(minimum, 300, alarm, resistance), 10);
        loop->CalcType(1);
        loop->CableImpedance(1810);
        loop->SetPanelData(256, 256, 256, 2400, 500, 100);
        return loop;
    }
};

TEST_F(CableRunTest, QuadraticWithAndWithoutFirstRunAndSeriesResistance) {
    auto loop = TenDevices();
    Recalculate(*loop);
    // S = 0, L1 = 0: B = -3400, D = B^2, L = (3400 + 3400) / (4 x 1.81 x 0.55) x 10
    //   = 6800 / 3.982 x 10 = 17076.85 -> 17077.
    EXPECT_EQ(loop->CableTotal(), 17077);
    EXPECT_EQ(loop->CableFirst(), 0);
    // At that length: R = 17077 x 0.362 x 0.55 + 100 = 3500.03, V = 70.0006 -> 70 tenths.
    EXPECT_EQ(loop->VoltDrop(), Volts(70));
    EXPECT_EQ(loop->LoopDesign(), 0);

    auto resisting = TenDevices(50);
    resisting->CableFirst(1000);
    Recalculate(*resisting);
    // S = 500, L1 = 1000: B = 2 x 1.81 x 1000 / 10 x 0.45 + 500 x 0.55 - 3400 = -2962.1;
    // D = 2962.1^2 - 8 x 1.81 x 0.55 x 500 x 1000 x 0.45 / 10 = 8774036.41 - 179190
    //   = 8594846.41, sqrt 2931.6968; L = (2931.6968 + 2962.1) / 3.982 x 10 = 14801.097.
    EXPECT_EQ(resisting->CableTotal(), 14801);
    EXPECT_EQ(resisting->CableFirst(), 1000);
    EXPECT_EQ(resisting->VoltDrop(), Volts(70));  // 69.9996
    EXPECT_EQ(resisting->LoopDesign(), 0);
}

TEST_F(CableRunTest, FirstRunAsAPercentage) {
    auto loop = TenDevices();
    Recalculate(*loop, false, true, 20);
    // f = 0.2 + 0.8 x 0.55 = 0.64; A = 3400 / 0.64 = 5312.5; L = 5312.5 / 1.81 x 5 = 14675.41.
    EXPECT_EQ(loop->CableTotal(), 14675);
    EXPECT_EQ(loop->CableFirst(), 2935);  // 14675 x 20 / 100
    Recalculate(*loop, false, true, 10);
    // f = 0.595; A = 5714.29; L = 15785.32 -> 15785; first 1578.5 -> 1578 (half to even).
    EXPECT_EQ(loop->CableTotal(), 15785);
    EXPECT_EQ(loop->CableFirst(), 1578);
    Recalculate(*loop, false, true, 100);
    // All devices at the end, f = 1: L = 3400 / 1.81 x 5 = 9392.27.
    EXPECT_EQ(loop->CableTotal(), 9392);
    EXPECT_EQ(loop->CableFirst(), loop->CableTotal());
    EXPECT_EQ(loop->LoopDesign(), 0);

    auto empty = NewLoop();
    empty->CalcType(1);
    Recalculate(*empty, false, true, 163);  // 20000 x 163 / 100 = 32600 fits sixteen bits
    EXPECT_EQ(empty->CableFirst(), 32600);
    EXPECT_THROW(Recalculate(*empty, false, true, 164), RuntimeFault);  // 32800 does not
}

TEST_F(CableRunTest, NoCurrentNoImpedanceOrALightLoopAllowTheLongestInput) {
    auto loop = NewLoop();
    loop->CalcType(1);
    loop->CableImpedance(1810);
    Recalculate(*loop, false, true, 25);
    EXPECT_EQ(loop->CableTotal(), 20000);
    EXPECT_EQ(loop->CableFirst(), 5000);
    loop->DeviceType(1, cat.AddDevice(Device(0, 100)));
    Recalculate(*loop);
    EXPECT_EQ(loop->CableTotal(), 20000);  // cut at the input maximum

    auto loaded = TenDevices();
    loaded->CableImpedance(0);
    Recalculate(*loaded, false, true, 50);  // a division by zero, trapped
    EXPECT_EQ(loaded->CableTotal(), 20000);
    EXPECT_EQ(loaded->CableFirst(), 10000);
    Recalculate(*loaded);  // without the percentage: r = 0 takes the limit directly
    EXPECT_EQ(loaded->CableTotal(), 20000);
    EXPECT_EQ(loaded->LoopDesign(), 0);
}

TEST_F(CableRunTest, NoRealRootOrANegativeLengthIsNoValidLength) {
    auto loop = TenDevices(50, 25000);
    loop->CableFirst(10000);
    Recalculate(*loop);
    // A = 7 / 250000 x 1e8 - 100 = 2700; B = 1629 + 275 - 2700 = -796;
    // D = 633616 - 8 x 1.81 x 0.55 x 500 x 10000 x 0.45 / 10 = 633616 - 1791900 < 0.
    EXPECT_EQ(loop->CableTotal(), 0);
    EXPECT_EQ(loop->LoopDesign(), 5);
    EXPECT_EQ(loop->LoopDesignShort(), "No Valid Cable Length");
    loop->SetPanelData(256, 256, 256, 2400, 249, 100);  // the current rule comes first
    Recalculate(*loop);
    EXPECT_EQ(loop->LoopDesign(), 1);

    // More than the panel drives is needed: -1 V may be lost, the volt drop verdict comes first.
    auto negative = TenDevices(50, 20000, 2500);
    negative->CableFirst(1000);
    Recalculate(*negative);
    EXPECT_EQ(negative->CableTotal(), 0);
    EXPECT_EQ(negative->LoopDesign(), 2);
}

// ---- Smallest cable (calculation type 2) ----------------------------------------------------

TEST_F(VoltDropTest, SmallestCableIsTheFirstSelectedOneThatKeepsTheDropWithinBounds) {
    // Thickest last: the table is sorted by impedance, highest first.
    cat.AddCable("Thin", 4000, true);
    cat.AddCable("Hidden", 2000, false);
    cat.AddCable("Medium", 1810, true);
    cat.AddCable("Thick", 1200, true);
    auto loop = TwentyDevices();
    loop->CalcType(2);
    // A 21st device needing 22.5 V leaves 1.5 V to lose. With 21 loads, f = 22 / 21 / 2 and
    // V = 100000 x (impedance x 0.5238 + 100) / 1e7: 4000 gives 22, the hidden 2000 would
    // give 11, 1810: R = 1810 x 0.5238 + 100 = 1048.1, V = 10.48 -> 10 tenths <= 15.
    loop->DeviceType(200, Needing(2250, 0, 0));
    Recalculate(*loop);
    EXPECT_EQ(loop->CableImpedance(), 1810);
    EXPECT_EQ(loop->VoltDrop(), Volts(10));
    EXPECT_EQ(loop->LoopDesign(), 0);

    // No cable good enough leaves the last selected: 0.5 V may be lost;
    // 1200: R = 1200 x 0.525 + 100 = 730, V = 7.3 -> 7 tenths > 5.
    auto poor = TwentyDevices();
    poor->CalcType(2);
    poor->SetPanelData(256, 256, 256, 1750, 500, 100);
    Recalculate(*poor);
    EXPECT_EQ(poor->CableImpedance(), 1200);
    EXPECT_EQ(poor->VoltDrop(), Volts(7));
    EXPECT_EQ(poor->LoopDesign(), 2);

    // No selected cable at all keeps the impedance and computes its drop.
    for (Cable& c : CableTable)
        c.CableVisible = false;
    auto none = TwentyDevices();
    none->CalcType(2);
    Recalculate(*none);
    EXPECT_EQ(none->CableImpedance(), 1810);
    EXPECT_EQ(none->VoltDrop(), Volts(11));
}

// ---- Verdict rules --------------------------------------------------------------------------

TEST_F(CalculateTest, CurrentsExactlyAtTheLimitPassAndQuiescentIsJudgedFirst) {
    auto loop = NewLoop();
    loop->DeviceType(1, cat.AddDevice(Device(100, 99999)));
    const auto tiny = cat.AddDevice(Device(0, 1));
    loop->DeviceType(2, tiny);
    loop->SetPanelData(256, 256, 256, 2400, 100, 0);
    Recalculate(*loop);
    EXPECT_EQ(loop->AlarmCurrentTotal(), uA(100000));
    EXPECT_EQ(loop->LoopDesign(), 0);
    loop->DeviceType(3, tiny);  // one microamp more
    Recalculate(*loop);
    EXPECT_EQ(loop->LoopDesign(), 1);
    EXPECT_EQ(loop->LoopDesignShort(), "Alarm Current Too High");

    auto both = NewLoop();
    both->DeviceType(1, cat.AddDevice(Device(60000, 60000)));
    both->SetPanelData(256, 256, 256, 2400, 60, 0);
    Recalculate(*both);
    EXPECT_EQ(both->LoopDesign(), 0);  // both exactly at 60 mA
    both->SetPanelData(256, 256, 256, 2400, 59, 0);
    Recalculate(*both);
    EXPECT_EQ(both->LoopDesign(), 3);
}

TEST_F(CalculateTest, VerdictRulesApplyInOrder) {
    auto loop = NewLoop();
    loop->DeviceType(1, Needing(20, 1000, 50000));
    loop->DeviceType(2, cat.AddDevice(SurgeDevice(40000, 1000)));  // fails the surge check
    loop->CableTotal(100);
    loop->CableFirst(200);  // rule 5 would fail
    // Volt drop 50000 x 1500 / 1e7 = 7.5 tenths, held to the 0.5 V driven, against 0.3 V:
    // rule 3 would fail.
    const std::vector<std::pair<std::int16_t, int>> steps = {
        {0, 3}, {1, 1}, {500, 2}};  // the panel's loop current (mA) and the verdict
    for (const auto& [current, verdict] : steps) {
        loop->SetPanelData(256, 256, 256, 50, current, 1500);
        Recalculate(*loop, true);
        EXPECT_EQ(loop->LoopDesign(), verdict) << current;
    }
    loop->SetPanelData(256, 256, 256, 2400, 500, 1500);
    Recalculate(*loop, true);
    EXPECT_EQ(loop->LoopDesign(), 4);
    loop->CableFirst(100);
    Recalculate(*loop, true);
    EXPECT_EQ(loop->LoopDesign(), 6);
    Recalculate(*loop, false);  // the wiring checks skipped
    EXPECT_EQ(loop->LoopDesign(), 0);
    loop->IgnoreIsolators(true);
    Recalculate(*loop, true);
    EXPECT_EQ(loop->LoopDesign(), 0);
}

TEST_F(CalculateTest, CalculateKeepsTheModelExceptTheCableItChooses) {
    const auto det = cat.AddDevice(Device(1000, 50000));
    auto loop = NewLoop();
    loop->DeviceType(1, det);
    loop->CableTotal(1234);
    loop->CableFirst(12);
    loop->CableImpedance(999);
    for (int type = 0; type <= 2; type += 2) {
        loop->CalcType(type);
        Recalculate(*loop, true, true, 50);  // the distribution flag matters only for type 1
        // No cables in the catalogue: the impedance stays too.
        EXPECT_EQ(std::make_tuple(loop->CableTotal(), loop->CableFirst(), loop->CableImpedance(),
                                  loop->DeviceType(1), loop->QuiescentCurrentDevices()),
                  std::make_tuple(1234, 12, 999, det, uA(1000)));
    }
}

}  // namespace
