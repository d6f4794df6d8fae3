// The battery list: read once on first use, smallest first with each size once, and every
// refusal naming the entry and the file.
#include "catalogue/Batteries.h"

#include <gtest/gtest.h>

#include "catalogue/CatalogueFiles.h"
#include "support/TestSupport.h"

namespace {

class BatteriesTest : public ScriptedTest {
protected:
    void TearDown() override {
        ResetBatteryCatalogue();
        ScriptedTest::TearDown();
    }
    // Reads these lines as the list afresh: the message shown ("" when none).
    std::string Load(const std::string& lines) {
        WriteRawFile(BatteryDataFilePath(), ";sizes in Ah\r\n[Batteries]\r\n" + lines);
        ResetBatteryCatalogue();
        platform.messages.clear();
        const bool loaded = LoadBatteryCatalogue();
        EXPECT_EQ(loaded, platform.messages.empty());
        if (!platform.messages.empty()) EXPECT_TRUE(BatterySizes().empty());
        return platform.AllMessageTexts();
    }
};

TEST_F(BatteriesTest, ReadOnceSmallestFirstEachSizeOnce) {
    // Battery7 lies beyond the first missing number and is not read.
    EXPECT_EQ(Load("Battery0=7\r\nBattery1= 1.2 \r\nBattery2=\"38\"\r\nBattery3=7.00000\r\n"
                   "Battery4=0.0001\r\nBattery5=1000\r\nBattery7=9\r\n"),
              "");
    const std::vector<Amount> expected = {Amount::FromScaled(1), Amount::FromScaled(12000),
                                          Amount::FromWhole(7), Amount::FromWhole(38),
                                          Amount::FromWhole(1000)};
    EXPECT_EQ(BatterySizes(), expected);
}

TEST_F(BatteriesTest, RefusalsNameTheEntryAndTheFile) {
    EXPECT_FALSE(LoadBatteryCatalogue());
    EXPECT_EQ(platform.AllMessageTexts(), "Unable to find file containing battery data: '" +
                                              paths.dataRoot + "/Tarvex/Batteries/Batteries.dat'.");
    const std::string in = " in " + Phrase(BatteryDataFilePath());
    EXPECT_EQ(Load(""), "No batteries defined" + in);
    EXPECT_EQ(Load("Battery1=7\r\n"), "No batteries defined" + in);  // the list starts at 0
    // Not a number, not above 0, above 1000 Ah, a fifth decimal, a decimal comma, an exponent, a
    // unit ...
    for (const char* size : {"seven", "0", "-7", "1000.0001", "1.23456", "1,2", "1E2", "7 Ah", "."})
        EXPECT_EQ(Load("Battery0=12\r\nBattery1=" + std::string(size) + "\r\n"),
                  "Invalid settings for battery 1" + in)
            << size;
}

}  // namespace
