// The cable catalogue: its messages, the impedance order and the first-run offers by locale.
#include "catalogue/Cables.h"

#include <gtest/gtest.h>

#include "catalogue/CatalogueFiles.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace {

// The cables in their order, a star on those offered, then the stored group choice.
std::string Offered() {
    std::string text;
    for (const auto& c : CableTable)
        text += c.CableName + (c.CableVisible ? "*" : "") + ", ";
    for (int n = 0; n < 3; ++n)
        text += ReadSettingFlag("CableGroup" + std::to_string(n)) ? "y" : "n";
    return text;
}

class CablesTest : public CatalogueFileTest {
protected:
    ScopedLocale british{"en_GB.UTF-8"};
};

TEST_F(CablesTest, LoadsSortsHighestImpedanceFirstAndOffersGroupsByLocale) {
    WriteCables(MinimalCableFile().Set("Cable Groups", "Group1", "European, nonus"));
    ASSERT_TRUE(LoadCableCatalogue());
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(CableGroupTable[1].GroupLocale, "NONUS");  // any letter case
    EXPECT_EQ(std::make_tuple(CableTable[3].CableImpedanceValue, CableTable[3].CableGroupNumber),
              std::make_tuple(740, 2));
    // The first run offers the groups of the user's locale and stores the choice.
    EXPECT_EQ(Offered(), "US 16, EU 1.5*, US 14, Any 2.5*, nyy");
    for (const char* locale : {"en_US.UTF-8", "fr_CA.UTF-8"}) {
        ScopedLocale american{locale};
        for (int n = 0; n < 3; ++n)
            DeleteSetting("CableGroup" + std::to_string(n));
        ASSERT_TRUE(LoadCableCatalogue());
        EXPECT_EQ(Offered(), "US 16*, EU 1.5, US 14*, Any 2.5, ynn") << locale;
    }
}

TEST_F(CablesTest, EveryLoaderMessageNamesTheFile) {
    EXPECT_EQ(FailingLoad(LoadCableCatalogue),
              "Unable to find file containing standard cable data: '" + paths.dataRoot +
                  "/Tarvex/Cables/Cables.dat'.");
    const std::string in = " in " + FilePhrase(CableDataFilePath());
    // A locale that is none of the three, a missing section, a figure that does not fit, a
    // group that does not exist.
    ExpectRefusals(
        MinimalCableFile(), WriteCables, LoadCableCatalogue,
        {{"Cable Groups", "Group1", "European,EU", "Invalid Locale setting for cable group 1" + in},
         {"Cable Groups", nullptr, nullptr, "No cable groups defined" + in},
         {"Cables", nullptr, nullptr, "No cables defined" + in},
         {"C2", "Impedance", "40000", "Invalid settings for cable 2" + in},
         {"C2", "Group", "3", "Invalid settings for cable 2" + in}});
}

}  // namespace
