#include "engine/StandbyPower.h"

#include <gtest/gtest.h>

namespace {

Amount Ah(const char* text) {
    return Amount::FromDouble(std::stod(text));
}

std::vector<Amount> List(std::initializer_list<const char*> sizes) {
    std::vector<Amount> list;
    for (const char* s : sizes)
        list.push_back(Ah(s));
    return list;
}

// Loop totals in µA giving I1 and I2 in amperes.
LoopCurrentTotals Loops(const char* i1, const char* i2) {
    return {Ah(i1) * 1'000'000, Ah(i2) * 1'000'000};
}

struct Outcome {
    Amount derating;
    Amount requiredCapacity;
    std::optional<Amount> recommendedSize;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

Outcome OutcomeOf(const StandbyPowerResult& r) {
    return {r.derating, r.requiredCapacity, r.recommendedSize};
}

}  // namespace

// I1 = 0.5 A for T1 = 24 h gives 12 Ah; I2 = 2 A for T2 = 30 min gives 1 Ah.
TEST(StandbyPower, WorkedExamplesUnderEachStandard) {
    StandbyPowerInputs in;
    const std::vector<Amount> list = List({"7", "12", "17", "18", "24", "38"});
    // BS 5839-1: with D = 1, 1.25 x (12 + 1) = 16.25 Ah, but 2 A is above 16.25 / 20 h, so
    // D = 1.75 and 1.25 x (12 + 1.75 x 1) = 17.1875 Ah; 18 Ah is the smallest size meeting its
    // own rule (its 20-hour rate 0.9 A is still below 2 A).
    StandbyPowerResult r = CalculateStandbyPower(in, Loops("0.5", "2"), list);
    EXPECT_EQ(OutcomeOf(r), (Outcome{Ah("1.75"), Ah("17.19"), Ah("18")}));
    EXPECT_EQ(r.requirementD1, Ah("16.25"));
    EXPECT_EQ(r.requirementD175, Ah("17.1875"));
    EXPECT_EQ(r.alarmRateCapacity, Ah("40"));
    EXPECT_EQ(r.working.back(), "Recommended battery: 18 Ah (20-hour rate 0.9 A, D = 1.75)");
    EXPECT_EQ(r.working[5], "With D = 1: 1.25 × (12 + 1 × 1) = 16.25 Ah");
    // NFPA 72: (12 + 1) x 1.20 = 15.6 Ah (2019), x 1.25 = 16.25 Ah (2022); 17 Ah either way.
    in.standard = BatteryStandard::NFPA72_2019;
    r = CalculateStandbyPower(in, Loops("0.5", "2"), list);
    EXPECT_EQ(OutcomeOf(r), (Outcome{Ah("1"), Ah("15.6"), Ah("17")}));
    EXPECT_EQ(r.working[5], "Required: (12 + 1) × 1.2 = 15.6 Ah");
    in.standard = BatteryStandard::NFPA72_2022;
    r = CalculateStandbyPower(in, Loops("0.5", "2"), list);
    EXPECT_EQ(OutcomeOf(r), (Outcome{Ah("1"), Ah("16.25"), Ah("17")}));
}

// I1 x T1 = 0.767 A x 20 h = 15.34 Ah and I2 x T2 = 1 A x 0.5 h: with D = 1 the requirement is
// 1.25 x 15.84 = 19.8 Ah. A 20 Ah battery carries 1 A within its 20-hour rate, so D = 1 and
// 20 Ah is the answer; deciding D once from 19.8 Ah would ask 1.25 x (15.34 + 0.875) =
// 20.26875 Ah and pick 24 Ah.
TEST(StandbyPower, EachSizeIsJudgedByItsOwnRate) {
    StandbyPowerInputs in;
    in.standbyHours = Ah("20");
    const StandbyPowerResult r =
        CalculateStandbyPower(in, Loops("0.767", "1"), List({"24", "18", "20", "7"}));
    EXPECT_EQ(OutcomeOf(r), (Outcome{Ah("1"), Ah("20"), Ah("20")}));
    EXPECT_EQ(r.requirementD1, Ah("19.8"));
    EXPECT_EQ(r.requirementD175, Ah("20.2688"));
}

// Exact arithmetic: a requirement exactly equal to a size takes that size. 0.55 A x 24 h +
// 2.4 A x 0.5 h = 14.4 Ah, x 1.25 = 18 Ah. Panel and other loads add to the loop totals.
TEST(StandbyPower, ExactBoundariesAndAddedLoads) {
    StandbyPowerInputs in;
    in.standard = BatteryStandard::NFPA72_2022;
    in.alarmMinutes = Ah("30");
    in.panelQuiescentMilliamps = Ah("50");
    in.otherLoads = {{"Door holders", 4, Ah("25"), Ah("0")}, {"Sounders", 2, Ah("0"), Ah("200")}};
    StandbyPowerResult r = CalculateStandbyPower(in, Loops("0.4", "2"), List({"17", "18", "24"}));
    EXPECT_EQ(OutcomeOf(r), (Outcome{Ah("1"), Ah("18"), Ah("18")}));
    EXPECT_EQ(r.working[1],
              "Quiescent current I1 = loops 400 mA + panel 50 mA + other loads 100 mA = 0.55 A");
    r = CalculateStandbyPower(in, Loops("0.4", "2"), List({"7", "17"}));
    EXPECT_EQ(OutcomeOf(r), (Outcome{Ah("1"), Ah("18"), std::nullopt}));
    EXPECT_EQ(r.working.back(), "No battery in the list is large enough: 18.00 Ah required");
}

TEST(StandbyPower, RefusesValuesOutOfRange) {
    const auto problem = [](auto change) {
        StandbyPowerInputs in;
        in.otherLoads.push_back({});
        change(in);
        return CheckStandbyInputs(in).value_or("");
    };
    EXPECT_EQ(problem([](auto&) {}), "");
    EXPECT_EQ(problem([](auto& in) { in.standbyHours = Ah("1000.0001"); }),
              "The standby period must be between 0 and 1000 hours.");
    EXPECT_EQ(problem([](auto& in) { in.alarmMinutes = Ah("-1"); }),
              "The alarm period must be between 0 and 1440 minutes.");
    EXPECT_EQ(problem([](auto& in) { in.otherLoads[0].quantity = 10000; }),
              "Other load 1: the quantity must be between 0 and 9999.");
    EXPECT_EQ(problem([](auto& in) { in.otherLoads.resize(101); }),
              "At most 100 other loads can be entered.");
}
