// The battery list: smallest first with each size once, and every refusal.
#include "catalogue/Batteries.h"

#include <gtest/gtest.h>

#include "catalogue/CatalogueFiles.h"

namespace {

class BatteriesTest : public CatalogueFileTest {
protected:
    // The list to be read afresh on its next use.
    static void WriteList(const std::string& lines) {
        WriteRawFile(BatteryDataFilePath(), ";sizes in Ah\r\n[Batteries]\r\n" + lines);
        ResetBatteryCatalogue();
    }
};

TEST_F(BatteriesTest, SmallestFirstEachSizeOnce) {
    // Battery7 lies beyond the first missing number and is not read.
    WriteList(
        "Battery0=7\r\nBattery1= 1.2 \r\nBattery2=\"38\"\r\nBattery3=7.00000\r\n"
        "Battery4=0.0001\r\nBattery5=1000\r\nBattery7=9\r\n");
    ASSERT_TRUE(LoadBatteryCatalogue()) << platform.AllMessageTexts();
    EXPECT_EQ(BatterySizes(), (std::vector<Amount>{Amount::FromScaled(1), Amount::FromScaled(12000),
                                                   Amount::FromWhole(7), Amount::FromWhole(38),
                                                   Amount::FromWhole(1000)}));
}

TEST_F(BatteriesTest, RefusalsNameTheEntryAndTheFile) {
    EXPECT_EQ(FailingLoad(LoadBatteryCatalogue), "Unable to find file containing battery data: '" +
                                                     paths.dataRoot +
                                                     "/Tarvex/Batteries/Batteries.dat'.");
    const std::string in = " in " + FilePhrase(BatteryDataFilePath());
    for (const char* list : {"", "Battery1=7\r\n"}) {  // the list starts at 0
        WriteList(list);
        EXPECT_EQ(FailingLoad(LoadBatteryCatalogue), "No batteries defined" + in) << list;
    }
    // Not a number, not above 0, above 1000 Ah, a fifth decimal, a decimal comma, an exponent, a
    // unit ...
    for (const char* size :
         {"seven", "0", "-7", "1000.0001", "1.23456", "1,2", "1E2", "7 Ah", "."}) {
        WriteList("Battery0=12\r\nBattery1=" + std::string(size) + "\r\n");
        EXPECT_EQ(FailingLoad(LoadBatteryCatalogue), "Invalid settings for battery 1" + in) << size;
        EXPECT_TRUE(BatterySizes().empty());
    }
}

}  // namespace
