#include "catalogue/InputBits.h"

#include <gtest/gtest.h>

#include "catalogue/DeviceFixtures.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/FieldParsing.h"
#include "support/TestSupport.h"

namespace {

class InputBitsTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ResetDeviceCatalogue();
    }
    std::string Phrase() const { return FilePhrase(StandardDevicesFilePath()); }
    DeviceCatalogueFile file;
};

TEST_F(InputBitsTest, ReadsEveryEntry) {
    file.WriteStandard();
    ASSERT_TRUE(LoadInputBits(StandardDevicesFilePath()));
    ASSERT_EQ(HighestInputBit(), 2);
    EXPECT_EQ(InputBitTable[1].InputName, "Alarm");
    EXPECT_EQ(InputBitTable[2].InputUseCode, 2);
    EXPECT_EQ(InputBitTable[2].InputPicture, 2);
    for (int n = 0; n <= 2; ++n)
        EXPECT_TRUE(IsDefinedInputBit(n)) << n;
    EXPECT_FALSE(IsDefinedInputBit(-1));
    EXPECT_FALSE(IsDefinedInputBit(3));
}

TEST_F(InputBitsTest, MissingEntryBetweenDefinedOnesIsUndefined) {
    file.Remove("Inputs", "Input1").WriteStandard();
    ASSERT_TRUE(LoadInputBits(StandardDevicesFilePath()));
    EXPECT_EQ(InputBitTable[1].InputName, "?");
    EXPECT_EQ(InputBitTable[1].InputUseCode, -1);
    EXPECT_EQ(InputBitTable[1].InputPicture, 0);
    EXPECT_FALSE(IsDefinedInputBit(1));
    EXPECT_TRUE(IsDefinedInputBit(2));
}

TEST_F(InputBitsTest, ZeroMaxInputsIsRefusedAndLeavesEntryZeroUndefined) {
    file.Set("Inputs", "MaxInputs", "0").WriteStandard();
    EXPECT_FALSE(LoadInputBits(StandardDevicesFilePath()));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid numeric value for 'MaxInputs' entry in [Inputs] section in " + Phrase());
    ASSERT_EQ(InputBitTable.size(), 1u);
    EXPECT_EQ(InputBitTable[0].InputName, "?");
    EXPECT_FALSE(IsDefinedInputBit(0));
}

TEST_F(InputBitsTest, MissingMaxInputsIsRefused) {
    file.Remove("Inputs", "MaxInputs").WriteStandard();
    EXPECT_FALSE(LoadInputBits(StandardDevicesFilePath()));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Numeric value expected for 'MaxInputs' entry in [Inputs] section in " + Phrase());
}

TEST_F(InputBitsTest, BadItemsNameTheirEntry) {
    file.Set("Inputs", "Input2", "Fault,128,2").WriteStandard();
    EXPECT_FALSE(LoadInputBits(StandardDevicesFilePath()));
    EXPECT_EQ(
        platform.AllMessageTexts(),
        "Invalid numeric value for Input Use in 'Input2' entry in [Inputs] section in " + Phrase());

    platform.messages.clear();
    file.Set("Inputs", "Input2", "Fault,127,256").WriteStandard();
    EXPECT_FALSE(LoadInputBits(StandardDevicesFilePath()));
    EXPECT_EQ(platform.AllMessageTexts(),
              "Invalid numeric value for Input Picture in 'Input2' entry in [Inputs] section in " +
                  Phrase());
}

}  // namespace
