// The standby battery inputs in the design file: exact round trips, and damaged values.
#include <random>

#include "document/ConfigWriter.h"
#include "document/DocumentFixtures.h"

namespace {

class StandbyPowerFileTest : public DocumentTest {
protected:
    std::mt19937 random{15};
    std::int64_t Pick(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(random);
    }
    Amount Any(std::int64_t most) { return Amount::FromScaled(Pick(0, most * Amount::kScale)); }

    // Names of bits of awkward text (broken characters too), and sometimes too long for one line.
    std::string AnyName() {
        static const std::string awkward =
            "a ,\"=;%41\r\n\t\x01[x]\xC3\xA9\xE2\x82\xAC\xE4\xB8\xAD\xF0\x9F\x94\xA5\xFF\xC2\x81";
        std::string name;
        for (auto n = Pick(0, 30) == 0 ? Pick(300, 900) : Pick(0, 12); n > 0; --n)
            name += awkward.substr(Pick(0, awkward.size() - 1), Pick(1, 3));
        return name;
    }

    StandbyPowerInputs AnyInputs() {
        StandbyPowerInputs in(
            static_cast<BatteryStandard>(Pick(0, 2)), Pick(0, 1) == 1, Any(kMaxStandbyHours),
            Any(kMaxAlarmMinutes), Any(kMaxLoadMilliamps), Any(kMaxLoadMilliamps),
            std::vector<OtherLoad>(Pick(0, 20) == 0 ? kMaxOtherLoads : Pick(0, 4)));
        for (OtherLoad& load : in.otherLoads)
            load = {AnyName(), static_cast<std::int32_t>(Pick(0, kMaxLoadQuantity)),
                    Any(kMaxLoadMilliamps), Any(kMaxLoadMilliamps)};
        return in;
    }

    std::string SaveAs(const std::string& name) {
        EXPECT_TRUE(SaveConfigurationFile(temp.File(name))) << platform.AllMessageTexts();
        return ReadWholeFile(temp.File(name));
    }
};

TEST_F(StandbyPowerFileTest, AnyInputsComeBackExactlyInASectionAddedAtTheEnd) {
    const std::string without = SaveAs("Plain.QMR");
    for (int i = 0; i < 300; ++i) {
        const StandbyPowerInputs inputs = Doc().StandbyPower = AnyInputs();
        const std::string saved = SaveAs("Site.QMR");
        ASSERT_EQ(OpenFile(temp.File("Site.QMR")).outcome, OpenOutcome::Opened);
        ASSERT_TRUE(Doc().StandbyPower == inputs) << i;
        ASSERT_EQ(SaveAs("Again.QMR"), saved) << i;
        ASSERT_EQ(saved.substr(0, without.size()), without) << i;
    }
    EXPECT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
}

TEST_F(StandbyPowerFileTest, ADamagedValueTakesItsDefaultAndIsReportedOnce) {
    const std::string in = " in section [StandbyPower]", one = "\n\nThe default is used instead.";
    const std::pair<std::string, std::string> cases[] = {
        {"StandbyHours=abc", "Numeric value expected for StandbyHours=abc" + in + one},
        {"PanelAlarmmA=1.00001", "Invalid numeric value for PanelAlarmmA=1.00001" + in + one},
        {"Standard=BS 5839", "Invalid value for Standard=BS 5839" + in + one},
        {"OtherLoads=2", "Missing entries for Load2" + in + " (OtherLoads=2)" + one},
        {"OtherLoads=101\r\nStandbyHours=1000." + std::string(50, '0') + "1",
         "Invalid numeric value for StandbyHours=1000." + std::string(35, '0') + "..." + in +
             "\nInvalid numeric value for OtherLoads=101" + in + "\n\nDefaults are used instead."}};
    const std::string plain = SaveAs("Plain.QMR");
    for (const auto& [lines, message] : cases) {
        platform.messages.clear();
        const std::string path =
            temp.Write("Bad.QMR", plain + "[StandbyPower]\r\n" + lines +
                                      "\r\nOtherLoads=1\r\nLoad1Name=\"A\"\r\n");
        ASSERT_EQ(OpenFile(path).outcome, OpenOutcome::Opened);
        StandbyPowerInputs expected;  // the load stays unless their count is damaged
        if (!lines.starts_with("OtherLoads=101")) expected.otherLoads = {{"A", 1, {}, {}}};
        EXPECT_TRUE(Doc().StandbyPower == expected) << lines;
        EXPECT_EQ(platform.AllMessageTexts(), message);
    }
}

}  // namespace
