#include "catalogue/OutputBits.h"

#include <gtest/gtest.h>

#include "catalogue/DeviceFixtures.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/FieldParsing.h"
#include "support/TestSupport.h"

namespace {

class OutputBitsTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ResetDeviceCatalogue();
    }
    std::string Phrase() const { return FilePhrase(StandardDevicesFilePath()); }
    DeviceCatalogueFile file;
};

TEST_F(OutputBitsTest, ReadsEveryEntry) {
    file.WriteStandard();
    ASSERT_TRUE(LoadOutputBits(StandardDevicesFilePath()));
    ASSERT_EQ(HighestOutputBit(), 3);
    EXPECT_EQ(OutputBitTable[2].OutputName, "Relay");
    EXPECT_EQ(OutputBitTable[2].OutputUseCode, 2);
    EXPECT_EQ(OutputBitTable[3].OutputGroup, 3);
    EXPECT_TRUE(IsOutputGroup3(3));
    EXPECT_FALSE(IsOutputGroup3(2));
    EXPECT_FALSE(IsOutputGroup3(4));
    EXPECT_FALSE(IsOutputGroup3(-1));
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(OutputBitsTest, FractionalMaxOutputsIsRoundedAndMissingEntriesAreEmpty) {
    file.Set("Outputs", "MaxOutputs", "3.6").WriteStandard();
    ASSERT_TRUE(LoadOutputBits(StandardDevicesFilePath()));
    ASSERT_EQ(OutputBitTable.size(), 5u);
    EXPECT_EQ(OutputBitTable[4].OutputName, "");
    EXPECT_EQ(OutputBitTable[4].OutputUseCode, 0);
    EXPECT_EQ(OutputBitTable[4].OutputGroup, 0);
}

TEST_F(OutputBitsTest, MissingOrNonNumericMaxOutputsIsRefused) {
    for (const char* value : {"", "abc", ",4", "4x"}) {
        platform.messages.clear();
        if (*value)
            file.Set("Outputs", "MaxOutputs", value);
        else
            file.Remove("Outputs", "MaxOutputs");
        file.WriteStandard();
        EXPECT_FALSE(LoadOutputBits(StandardDevicesFilePath())) << value;
        EXPECT_EQ(platform.AllMessageTexts(),
                  "Invalid 'MaxOutputs' entry in [Outputs] section in configuration settings in '" +
                      StandardDevicesFilePath() + "'.")
            << value;
        EXPECT_EQ(OutputBitTable.size(), 1u);
    }
}

// A negative or huge highest number would make an impossible table; it is refused like a
// missing one.
TEST_F(OutputBitsTest, ImpossibleMaxOutputsIsRefused) {
    for (const char* value : {"-1", "32768", "1e12"}) {
        platform.messages.clear();
        file.Set("Outputs", "MaxOutputs", value).WriteStandard();
        EXPECT_FALSE(LoadOutputBits(StandardDevicesFilePath())) << value;
        EXPECT_EQ(platform.AllMessageTexts(),
                  "Invalid 'MaxOutputs' entry in [Outputs] section in " + Phrase());
    }
}

TEST_F(OutputBitsTest, BadItemsNameTheirEntry) {
    file.Set("Outputs", "Output2", "Relay,128,2").WriteStandard();
    EXPECT_FALSE(LoadOutputBits(StandardDevicesFilePath()));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid numeric value for Output Use in 'Output2' entry in [Outputs] section in " +
                  Phrase());

    platform.messages.clear();
    file.Set("Outputs", "Output2", "Relay,1").WriteStandard();
    EXPECT_FALSE(LoadOutputBits(StandardDevicesFilePath()));
    EXPECT_EQ(
        platform.AllMessageTexts(),
        "Numeric value expected for Output Group in 'Output2' entry in [Outputs] section in " +
            Phrase());
}

}  // namespace
