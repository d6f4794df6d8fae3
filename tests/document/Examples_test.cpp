// The example designs open cleanly with the shipped reference data, give their verdicts and save
// back unchanged.
#include "document/ConfigWriter.h"
#include "document/DocumentFixtures.h"

namespace {

int Other(const char* key) {
    return FindOtherByKey(key);
}

TEST_F(ShippedDataTest, TheExamplesGiveTheirVerdictsAndSaveBackUnchanged) {
    struct Case {
        const char* file;
        std::vector<int> verdicts;  // by loop
        const char* overall;
    };
    const int ok = clsCalculator::kSatisfactory;
    const std::vector<Case> cases = {
        {"Office.QMR", {ok}, "Design Satisfactory"},
        {"Warehouse.QMR",
         {ok, clsCalculator::kVoltDropTooHigh, clsCalculator::kAlarmCurrentTooHigh, ok},
         "Design Not Satisfactory"},
        {"Hospital.QMR", std::vector<int>(8, ok), "Design Satisfactory"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Open(Example(c.file));
        EXPECT_FALSE(CurrentDocument().DataChanged);
        for (std::size_t l = 0; l < c.verdicts.size(); ++l)
            EXPECT_EQ(Loop(static_cast<int>(l) + 1).LoopDesign(), c.verdicts[l]) << l + 1;
        EXPECT_EQ(OverallDesignText(), c.overall);
        const std::string copy = temp.File(c.file);
        ASSERT_TRUE(SaveConfigurationFile(copy));
        EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(Example(c.file)));
    }
    EXPECT_EQ(Loop(2).AddressOrder(155), 150);  // the hospital's rearranged cable route
    EXPECT_EQ(Loop(3).QtyOthers(Other("SlaveSounder")), 8);
}

}  // namespace
