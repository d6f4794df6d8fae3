// The cable catalogue: loader messages with their real path, the impedance order, the
// first-run group offers by locale, and the look-ups by impedance.
#include "catalogue/Cables.h"

#include <gtest/gtest.h>

#include "catalogue/CatalogueFiles.h"
#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace {

std::vector<std::string> CableNames(bool visibleOnly) {
    std::vector<std::string> names;
    for (const auto& c : CableTable)
        if (c.CableVisible || !visibleOnly) names.push_back(c.CableName);
    return names;
}

std::vector<bool> StoredGroupFlags() {
    std::vector<bool> flags;
    for (int n = 0; n < 3; ++n)
        flags.push_back(ReadSettingFlag("CableGroup" + std::to_string(n)));
    return flags;
}

class CablesTest : public CatalogueFileTest {
protected:
    IniText file = MinimalCableFile();
    ScopedLocale british{"en_GB.UTF-8"};
};

TEST_F(CablesTest, LoadsSortsHighestImpedanceFirstAndOffersGroupsByLocale) {
    file.Set("Cable Groups", "Group1", "European, nonus");  // any letter case
    WriteCables(file);
    ASSERT_TRUE(LoadCableCatalogue());
    EXPECT_TRUE(platform.messages.empty());
    std::vector<std::string> groups;
    for (const CableGroup& g : CableGroupTable)
        groups.push_back(g.GroupName + "/" + g.GroupLocale);
    EXPECT_EQ(groups, (std::vector<std::string>{"American/US", "European/NONUS", "Common/ALL"}));
    EXPECT_EQ(CableNames(false), (std::vector<std::string>{"US 16", "EU 1.5", "US 14", "Any 2.5"}));
    EXPECT_EQ(CableTable[0].CableImpedanceValue, 1320);
    EXPECT_EQ(std::make_tuple(CableTable[3].CableImpedanceValue, CableTable[3].CableGroupNumber),
              std::make_tuple(740, 2));
    // The first run offers the groups of the user's locale and stores the choice.
    EXPECT_EQ(CableNames(true), (std::vector<std::string>{"EU 1.5", "Any 2.5"}));
    EXPECT_EQ(StoredGroupFlags(), (std::vector<bool>{false, true, true}));

    for (const char* locale : {"en_US.UTF-8", "fr_CA.UTF-8"}) {
        SCOPED_TRACE(locale);
        ScopedLocale american{locale};
        for (int n = 0; n < 3; ++n)
            DeleteSetting("CableGroup" + std::to_string(n));
        ASSERT_TRUE(LoadCableCatalogue());
        EXPECT_EQ(CableNames(true), (std::vector<std::string>{"US 16", "US 14"}));
        EXPECT_EQ(StoredGroupFlags(), (std::vector<bool>{true, false, false}));
    }
}

TEST_F(CablesTest, EveryLoaderMessageNamesTheFile) {
    EXPECT_EQ(FailingLoad(LoadCableCatalogue),
              "Unable to find file containing standard cable data: '" + paths.dataRoot +
                  "/Tarvex/Cables/Cables.dat'.");
    const std::string in = " in " + Phrase(CableDataFilePath());
    // A locale that is none of the three, a missing section, a missing key, a figure that is
    // no number or does not fit, a group that does not exist.
    const std::tuple<const char*, const char*, const char*, std::string> cases[] = {
        {"Cable Groups", "Group1", "European,EU", "Invalid Locale setting for cable group 1" + in},
        {"Cable Groups", "Group1", "European,", "Invalid Locale setting for cable group 1" + in},
        {"Cable Groups", nullptr, nullptr, "No cable groups defined" + in},
        {"Cables", nullptr, nullptr, "No cables defined" + in},
        {"C2", "Name", nullptr, "Invalid settings for cable 2" + in},
        {"C2", "Impedance", "thick", "Invalid settings for cable 2" + in},
        {"C2", "Impedance", "40000", "Invalid settings for cable 2" + in},
        {"C2", "Group", "3", "Invalid settings for cable 2" + in},
    };
    for (const auto& [section, key, value, message] : cases) {
        IniText bad = MinimalCableFile();
        if (!key)
            bad.RemoveSection(section);
        else if (value)
            bad.Set(section, key, value);
        else
            bad.Remove(section, key);
        WriteCables(bad);
        EXPECT_EQ(FailingLoad(LoadCableCatalogue), message)
            << section << "." << (key ? key : "") << "=" << (value ? value : "");
    }
}

}  // namespace
