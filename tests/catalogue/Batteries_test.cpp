// The battery list: read once on first use, smallest first with each size once, and every
// refusal naming the entry and the file.
#include "catalogue/Batteries.h"

#include <gtest/gtest.h>

#include "catalogue/CatalogueFiles.h"
#include "support/TestSupport.h"

namespace {

class BatteriesTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ResetBatteryCatalogue();
    }
    void TearDown() override {
        ResetBatteryCatalogue();
        ScriptedTest::TearDown();
    }
    static void WriteList(const std::string& lines) {
        WriteRawFile(BatteryDataFilePath(), ";sizes in Ah\r\n[Batteries]\r\n" + lines);
    }
    // The one message of a load that fails, which leaves no sizes.
    std::string FailingLoad() {
        ResetBatteryCatalogue();
        platform.messages.clear();
        EXPECT_FALSE(LoadBatteryCatalogue());
        EXPECT_TRUE(BatterySizes().empty());
        EXPECT_EQ(platform.messages.size(), 1u);
        return platform.AllMessageTexts();
    }
};

TEST_F(BatteriesTest, ReadOnceSmallestFirstEachSizeOnce) {
    // Battery7 lies beyond the first missing number and is not read.
    WriteList(
        "Battery0=7\r\nBattery1= 1.2 \r\nBattery2=\"38\"\r\nBattery3=7.00000\r\n"
        "Battery4=0.0001\r\nBattery5=1000\r\nBattery7=9\r\n");
    ASSERT_TRUE(LoadBatteryCatalogue()) << platform.AllMessageTexts();
    const std::vector<Amount> expected = {Amount::FromScaled(1), Amount::FromScaled(12000),
                                          Amount::FromWhole(7), Amount::FromWhole(38),
                                          Amount::FromWhole(1000)};
    EXPECT_EQ(BatterySizes(), expected);
    // Later calls keep the answer of the first, whatever the file has become since.
    WriteList("Battery0=seven\r\n");
    EXPECT_TRUE(LoadBatteryCatalogue());
    EXPECT_EQ(BatterySizes(), expected);
    EXPECT_EQ(FailingLoad(), "Invalid settings for battery 0 in " + Phrase(BatteryDataFilePath()));
    EXPECT_FALSE(LoadBatteryCatalogue());
    EXPECT_EQ(platform.messages.size(), 1u);  // shown once
}

TEST_F(BatteriesTest, RefusalsNameTheEntryAndTheFile) {
    EXPECT_EQ(FailingLoad(), "Unable to find file containing battery data: '" + paths.dataRoot +
                                 "/Tarvex/Batteries/Batteries.dat'.");
    const std::string in = " in " + Phrase(BatteryDataFilePath());
    const std::pair<std::string, std::string> files[] = {
        {"", "No batteries defined" + in},
        {"Battery1=7\r\n", "No batteries defined" + in},  // the list starts at 0
        {"Battery0=12\r\nBattery1=seven\r\n", "Invalid settings for battery 1" + in},
    };
    for (const auto& [text, message] : files) {
        WriteList(text);
        EXPECT_EQ(FailingLoad(), message) << text;
    }
    // Not above 0, above 1000 Ah, a fifth decimal, a decimal comma, an exponent, a unit ...
    for (const char* size : {"0", "-7", "1000.0001", "1.23456", "1,2", "1E2", "7 Ah", "."}) {
        WriteList("Battery0=12\r\nBattery1=" + std::string(size) + "\r\n");
        EXPECT_EQ(FailingLoad(), "Invalid settings for battery 1" + in) << size;
    }
}

}  // namespace
