// The loop calculation: currents and panel limits, volt drop, longest cable run, smallest cable
// and the order of the verdict rules with their texts. Expected values are worked out by hand in
// the comments.
#include <gtest/gtest.h>

#include <array>

#include "engine/EngineFixtures.h"

namespace {

constexpr Amount uA(std::int64_t whole) {
    return Amount::FromWhole(whole);
}
Amount Volts(std::int64_t tenths) {
    return Amount::FromScaled(tenths * 1000);
}

// Each verdict with its texts: short, long and explanation.
std::array<std::string, 4> Verdict(const clsCalculator& loop) {
    return {std::to_string(loop.LoopDesign()), loop.LoopDesignShort(), loop.LoopDesignLong(),
            loop.DesignExplanation()};
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
    EXPECT_EQ(loop->PanelLimitText(), "with panel-limited LEDs");
    const auto relay = cat.AddDevice(DeviceWithOutput(4000, kDrivenOutput, 1000));
    const auto bigRelay = cat.AddDevice(DeviceWithOutput(4000, kDrivenOutput, 2500));
    auto outputs = NewLoop();
    Place(*outputs, relay, 3, 1);
    Place(*outputs, bigRelay, 2, 4);
    // The limit is the smaller of MaxOutput and the panel: min(3, 2) = 2, the two 2500 stay.
    outputs->MaxOutput(3);
    outputs->SetPanelData(256, 256, 2, 2400, 500, 0);
    Recalculate(*outputs);
    EXPECT_EQ(outputs->AlarmCurrentDevices(), uA(20000 - 3 * 1000));
    EXPECT_EQ(outputs->PanelLimitText(), "with panel-limited outputs");
}

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
    // The first run carries the whole current.
    loop->CableFirst(1000);
    Recalculate(*loop);
    // f = (5000 - 1000) / 5000 x 0.525 + 1000 / 5000 = 0.62; R = 1810 x 0.62 + 100 = 1222.2;
    // V = 100000 x 1222.2 / 1e7 = 12.222 -> 12 tenths.
    EXPECT_EQ(loop->VoltDrop(), Volts(12));
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
    // The drop never exceeds the drive voltage.
    auto twenty = TwentyDevices();
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
    EXPECT_EQ(std::make_tuple(exact->VoltDrop(), exact->LoopDesign()),
              std::make_tuple(Volts(70), 0));
    exact->SetPanelData(256, 256, 256, 2400, 500, 10080);  // 70.56 -> 71 tenths
    Recalculate(*exact);
    EXPECT_EQ(std::make_tuple(exact->VoltDrop(), exact->LoopDesign()),
              std::make_tuple(Volts(71), 2));
}

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
    // At that length: R = 17077 x 0.362 x 0.55 + 100 = 3500.03, V = 70.0006 -> 70 tenths.
    EXPECT_EQ(std::make_tuple(loop->CableTotal(), loop->VoltDrop(), loop->LoopDesign()),
              std::make_tuple(17077, Volts(70), 0));

    auto resisting = TenDevices(50);
    resisting->CableFirst(1000);
    Recalculate(*resisting);
    // S = 500, L1 = 1000: B = 2 x 1.81 x 1000 / 10 x 0.45 + 500 x 0.55 - 3400 = -2962.1;
    // D = 2962.1^2 - 8 x 1.81 x 0.55 x 500 x 1000 x 0.45 / 10 = 8774036.41 - 179190
    //   = 8594846.41, sqrt 2931.6968; L = (2931.6968 + 2962.1) / 3.982 x 10 = 14801.097.
    EXPECT_EQ(std::make_tuple(resisting->CableTotal(), resisting->VoltDrop()),
              std::make_tuple(14801, Volts(70)));  // 69.9996
}

TEST_F(CableRunTest, NoRealRootOrANegativeLengthIsNoValidLength) {
    auto loop = TenDevices(50, 25000);
    loop->CableFirst(10000);
    Recalculate(*loop);
    // A = 7 / 250000 x 1e8 - 100 = 2700; B = 1629 + 275 - 2700 = -796;
    // D = 633616 - 8 x 1.81 x 0.55 x 500 x 10000 x 0.45 / 10 = 633616 - 1791900 < 0.
    EXPECT_EQ(loop->CableTotal(), 0);
    EXPECT_EQ(Verdict(*loop),
              (std::array<std::string, 4>{
                  "5", "No Valid Cable Length", "No Valid\nCable Length",
                  "While attempting to calculate a maximum cable length, even a cable length of 0 "
                  "resulted in the volt drop being too high."}));

    // More than the panel drives is needed: -1 V may be lost, the volt drop verdict comes first.
    auto negative = TenDevices(50, 20000, 2500);
    negative->CableFirst(1000);
    Recalculate(*negative);
    EXPECT_EQ(std::make_tuple(negative->CableTotal(), negative->LoopDesign()),
              std::make_tuple(0, 2));
}

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
    EXPECT_EQ(std::make_tuple(loop->CableImpedance(), loop->VoltDrop(), loop->LoopDesign()),
              std::make_tuple(1810, Volts(10), 0));

    // No cable good enough leaves the last selected: 0.5 V may be lost;
    // 1200: R = 1200 x 0.525 + 100 = 730, V = 7.3 -> 7 tenths > 5.
    auto poor = TwentyDevices();
    poor->CalcType(2);
    poor->SetPanelData(256, 256, 256, 1750, 500, 100);
    Recalculate(*poor);
    EXPECT_EQ(std::make_tuple(poor->CableImpedance(), poor->VoltDrop(), poor->LoopDesign()),
              std::make_tuple(1200, Volts(7), 2));
}

TEST_F(CalculateTest, VerdictRulesApplyInOrderWithTheirTexts) {
    auto loop = NewLoop();
    loop->DeviceType(1, Needing(20, 1000, 50000));
    // 0 + 40000 µA of surge at the isolator on slot 2, which allows 1000: fails.
    loop->DeviceType(2, cat.AddDevice(SurgeDevice(40000, 1000)));
    loop->CableTotal(100);
    loop->CableFirst(200);  // rule 5 would fail
    // Volt drop 50000 x 1500 / 1e7 = 7.5 tenths, held to the 0.5 V driven, against 0.3 V:
    // rule 3 would fail. Then the panel's loop current (mA), the drive, the first run and the
    // wiring checks change.
    const std::string over = "is greater than that permitted by the control panel (";
    struct Step {
        std::int16_t current, drive, firstRun;
        bool wiring;
        std::array<std::string, 4> verdict;
    };
    const std::vector<Step> steps = {
        {0,
         50,
         200,
         true,
         {"3", "Quiescent Too High", "Quiescent\nToo High",
          "The total quiescent current drawn by the devices on the loop " + over + "0 mA)."}},
        {1,
         50,
         200,
         true,
         {"1", "Alarm Current Too High", "Alarm Current\nToo High",
          "The total alarm current drawn by the devices on the loop " + over + "1000 \xC2\xB5" +
              "A)."}},
        {500,
         50,
         200,
         true,
         {"2", "Volt Drop Too High", "Volt Drop\nToo High",
          "The calculated final voltage at a device on the loop is below that required for its "
          "operation."}},
        {500,
         2400,
         200,
         true,
         {"4", "1st Cable Run Too Long", "Cable Run to 1st\nDevice Too Long",
          "The cable run to the first device is greater than the total cable length!"}},
        {500,
         2400,
         100,
         true,
         {"6", "Surge Current Too High", "Switch-on Surge\nToo High",
          "The total switch-on surge current of devices between the control panel and the "
          "isolator at address 2 (40 mA) is too high."}},
        {500, 2400, 100, false, {"0", "Loop Satisfactory", "Loop Design\nSatisfactory", ""}},
    };
    for (const Step& step : steps) {
        loop->SetPanelData(256, 256, 256, step.drive, step.current, 1500);
        loop->CableFirst(step.firstRun);
        Recalculate(*loop, step.wiring);
        EXPECT_EQ(Verdict(*loop), step.verdict);
        EXPECT_EQ(loop->DesignIsSatisfactory(), step.verdict[0] == "0");
    }
}

struct FixedWidthPerCharacter : TextMeasurer {
    double perCharacter;
    explicit FixedWidthPerCharacter(double w) : perCharacter(w) {}
    double TextWidth(const std::string& text) const override {
        return perCharacter * static_cast<double>(text.size());
    }
};

TEST_F(CalculateTest, LongestShortVerdictIsMeasuredOverAllNineCodes) {
    const auto loop = NewLoop();
    // "Isolator between Master/Slave" has 29 characters: 29 x 0.5 = 14.5 -> 14 (half to even).
    EXPECT_EQ(loop->LongestLoopDesignShort(FixedWidthPerCharacter(0.5)), 14);
    EXPECT_EQ(loop->LongestLoopDesignShort(FixedWidthPerCharacter(1.5)), 44);  // 43.5 -> 44
}

}  // namespace
