// The options dialog's rules, from its lists and count texts to the storing of every choice.
#include "app/OptionsModel.h"

#include "app/options/OptionsFixtures.h"
#include "shell/Settings.h"

namespace {

using Items = std::vector<OptionsListItem>;

class OptionsModelTest : public CatalogueTest {
protected:
    ScopedLocale british_{"en_GB.UTF-8"};
};

TEST_F(OptionsModelTest, FamilyClicksRestoreStoredFlagsAndOkNeedsAFamilyAndACableGroup) {
    SetStandardDevice(3, false);
    const std::string settings = ReadWholeFile(SettingsFilePath());
    OptionsModel m;
    m.SetStandardSelected(0, false);  // not stored: selecting the family again forgets it
    m.SetFamilySelected(0, false);
    EXPECT_EQ(m.StandardDevices(), (Items{{"Sounder", 2, true}}));
    EXPECT_EQ(m.FamilyCountText() + m.StandardCountText(), "1 family selected.1 device selected.");
    m.SetFamilySelected(0, true);  // no slave, no icon-only type
    EXPECT_EQ(
        m.StandardDevices(),
        (Items{{"Optical Detector", 1, true}, {"Sounder", 2, true}, {"Interface", 3, false}}));
    m.SetFamilySelected(0, false);
    m.SetFamilySelected(1, false);
    EXPECT_EQ(m.FamilyCountText() + m.StandardCountText(),
              "0 families selected.0 devices selected.");
    EXPECT_FALSE(m.Accept());
    m.SetFamilySelected(0, true);
    EXPECT_EQ(m.CableGroups(), (Items{{"European", 1, true}, {"Common", 2, true}}));
    m.SetCableGroupSelected(0, false);
    m.SetCableGroupSelected(1, false);
    EXPECT_FALSE(m.Accept());
    EXPECT_EQ(TakeMessages(),
              "You must select at least one device family!\nYou must select at least one cable "
              "group!");
    EXPECT_EQ(ReadWholeFile(SettingsFilePath()), settings);
    ScopedLocale american("en_US.UTF-8");
    EXPECT_EQ(OptionsModel().CableGroups(), (Items{{"American", 0, false}, {"Common", 2, true}}));
}

TEST_F(OptionsModelTest, OkStoresEveryChoiceSoThatARestartShowsItAgain) {
    OptionsModel m;
    m.SetFamilySelected(1, false);    // Sounders
    m.SetStandardSelected(1, false);  // Interface
    m.SetCableGroupSelected(0, false);
    m.SetUnits(kImperialUnits);
    ASSERT_TRUE(m.Accept());
    EXPECT_TRUE(IsStandardDevice(2));  // not listed: keeps its flag
    Reload();
    const OptionsModel again;
    EXPECT_EQ(again.Families(), m.Families());
    EXPECT_EQ(again.StandardDevices(), m.StandardDevices());
    EXPECT_EQ(again.CableGroups(), m.CableGroups());
    EXPECT_EQ(again.Units(), kImperialUnits);
}

}  // namespace
