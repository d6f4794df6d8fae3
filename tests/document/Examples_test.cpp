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

TEST_F(ShippedDataTest, TheOlderLayoutLibrarySpreadsItsCountedDevicesOnOpening) {
    Open(Example("OldLibrary.QMR"));
    EXPECT_EQ(Loop(1).CableFirst(), 150);  // whole metres in older files
    EXPECT_EQ(Loop(1).QtyOthers(Other("RelayBase")), 4);
    EXPECT_EQ(Loop(1).DeviceOtherType(1), Other("RemoteLED"));  // lowest addresses first
    EXPECT_EQ(Loop(2).QtyOthers(Other("SlaveSounder")), 3);
    int master = -1;
    for (int a = 0; a < 256 && master < 0; ++a)
        if (DeviceTypeTable[static_cast<std::size_t>(Loop(2).DeviceType(a))].IsMaster) master = a;
    EXPECT_EQ(Loop(2).DeviceStandaloneAddress(1, 4), master);
    EXPECT_EQ(OverallDesignText(), "Design Satisfactory");

    // Saved again, the file has the full layout and opens to the same design.
    const std::string resaved = temp.File("Library.QMR");
    ASSERT_TRUE(SaveConfigurationFile(resaved));
    EXPECT_NE(ReadWholeFile(resaved).find("\r\nDeviceBetween1="), std::string::npos);
    Open(resaved);
    EXPECT_EQ(Loop(1).QtyOthers(Other("RelayBase")), 4);
    EXPECT_EQ(Loop(2).DeviceStandaloneAddress(1, 4), master);
}

}  // namespace
