// The options dialog's rules: the lists, the family/standard-device interplay, the count texts,
// the OK refusals and the storing of every choice in the settings.
#include "app/OptionsModel.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/OptionsFixtures.h"
#include "catalogue/Cables.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "engine/Scaling.h"
#include "shell/Settings.h"

namespace {

using Items = std::vector<OptionsListItem>;

class OptionsModelTest : public CatalogueTest {
protected:
    ScopedLocale british_{"en_GB.UTF-8"};
};

TEST_F(OptionsModelTest, ListsSkipFamilyZeroSlavesIconOnlyTypesAndGroupsOfOtherRegions) {
    OptionsModel british;
    EXPECT_EQ(british.Families(), (Items{{"Detectors", 1, true}, {"Sounders", 2, true}}));
    EXPECT_EQ(british.StandardDevices(),
              (Items{{"Optical Detector", 1, true}, {"Sounder", 2, true}, {"Interface", 3, true}}));
    EXPECT_EQ(british.CableGroups(), (Items{{"European", 1, true}, {"Common", 2, true}}));
    ScopedLocale american("en_US.UTF-8");
    EXPECT_EQ(OptionsModel().CableGroups(), (Items{{"American", 0, false}, {"Common", 2, true}}));
}

TEST_F(OptionsModelTest, DeselectingAFamilyRemovesItsTypesAndReselectingRestoresStoredFlags) {
    SetStandardDevice(3, false);
    OptionsModel m;
    m.SetStandardSelected(0, false);  // not stored: selecting the family again forgets it
    m.SetFamilySelected(0, false);
    EXPECT_EQ(m.StandardDevices(), (Items{{"Sounder", 2, true}}));
    EXPECT_EQ(m.FamilyCountText() + m.StandardCountText(), "1 family selected.1 device selected.");
    m.SetFamilySelected(0, true);
    EXPECT_EQ(
        m.StandardDevices(),
        (Items{{"Optical Detector", 1, true}, {"Sounder", 2, true}, {"Interface", 3, false}}));
    EXPECT_EQ(m.FamilyCountText() + m.StandardCountText(),
              "2 families selected.2 devices selected.");
    m.SetFamilySelected(0, false);
    m.SetFamilySelected(1, false);
    EXPECT_EQ(m.FamilyCountText() + m.StandardCountText(),
              "0 families selected.0 devices selected.");
}

TEST_F(OptionsModelTest, OkIsRefusedWithoutAFamilyOrACableGroupAndStoresNothing) {
    const struct {
        bool families;
        bool groups;
        const char* message;
    } cases[] = {{false, true, "You must select at least one device family!"},
                 {true, false, "You must select at least one cable group!"},
                 {false, false, "You must select at least one device family!"}};
    const std::string before = ReadWholeFile(SettingsFilePath());
    for (const auto& c : cases) {
        OptionsModel m;
        m.SetUnits(kImperialUnits);
        for (int i = 0; i < 2; ++i) {
            m.SetFamilySelected(i, c.families && i == 0);
            m.SetCableGroupSelected(i, c.groups && i == 0);
        }
        EXPECT_FALSE(m.Accept());
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{c.message});
    }
    EXPECT_EQ(ReadWholeFile(SettingsFilePath()), before);
    EXPECT_EQ(DisplayUnits(), kMetricUnits);
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
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(OptionsModelTest, AFailedSettingsWriteLeavesEveryChoiceAsItWas) {
    std::filesystem::remove_all(paths.configDir);
    temp.Write("config", "not a folder");
    platform.answers = {MsgResult::Ignore};
    OptionsModel m;
    m.SetFamilySelected(1, false);
    m.SetCableGroupSelected(0, false);
    m.SetUnits(kImperialUnits);
    EXPECT_FALSE(m.Accept());
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.messages[0].buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_TRUE(FamilyTable[2].FamilyShown);
    EXPECT_TRUE(CableGroupTable[1].GroupShown);
    EXPECT_EQ(DisplayUnits(), kMetricUnits);
}

}  // namespace
