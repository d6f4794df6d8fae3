// The reference data shipped with the program (data/Tarvex): it loads through the real start-up
// sequence without a single message, run after run and for users of every region, and its files
// are single-byte text with CR LF line ends as the loaders expect.
#include <gtest/gtest.h>

#include "catalogue/Cables.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/CatalogueStartup.h"
#include "catalogue/Options.h"
#include "shell/Paths.h"
#include "shell/ProfileFile.h"
#include "support/TestSupport.h"

namespace {

const std::string kShippedData = QUELMAR_SOURCE_DATA_DIR;

class ShippedDataTest : public CatalogueFileTest,
                        public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        CatalogueFileTest::SetUp();
        paths.dataRoot = kShippedData;
        SetPaths(paths);
        ResetProfileCache();
    }
};

// On the first run the cable groups follow the user's locale; every user must be offered some
// cables, and the default impedance must be one of them. A second run finds the settings the
// first one wrote and must be just as quiet.
TEST_P(ShippedDataTest, FirstAndSecondRunsLoadQuietlyAndOfferCables) {
    const ScopedLocale locale(GetParam());
    ASSERT_TRUE(LoadCatalogues()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.beeps.empty());
    const bool us = std::string(GetParam()) == "en_US.UTF-8";
    int visible = 0;
    for (const Cable& c : CableTable) {
        if (!c.CableVisible) continue;
        ++visible;
        EXPECT_EQ(CableGroupTable[c.CableGroupNumber].GroupLocale == "US", us) << c.CableName;
    }
    EXPECT_GE(visible, 4);
    EXPECT_LT(FindCableByImpedance(GetLastCableImpedance()), static_cast<int>(CableTable.size()));

    const std::string first = CatalogueCountsText(CountCatalogues());
    ASSERT_TRUE(LoadCatalogues()) << platform.AllMessageTexts();
    EXPECT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
    EXPECT_EQ(CatalogueCountsText(CountCatalogues()), first);
}

INSTANTIATE_TEST_SUITE_P(Locales, ShippedDataTest,
                         ::testing::Values("en_US.UTF-8", "en_GB.UTF-8", "de_DE.UTF-8"));

}  // namespace
