// The device type chooser: the tree of shown families and their types, and the choice it returns.
#include <gtest/gtest.h>

#include "document/DeviceTypeChooser.h"
#include "document/EditorFixtures.h"

namespace {

class DeviceTypeChooserTest : public EditorTest {
protected:
    void SetUp() override {
        EditorTest::SetUp();
        // Family 1 "Detectors" comes from the fixture; display order sorts by title.
        sounders = cat->AddFamily("Alarm Sounders");
        hidden = cat->AddFamily("Hidden Things", false);
        radio = cat->AddFamily("Radio");
        optical = AddTyped("Optical", 1);
        heat = AddTyped("Heat", 1);
        bell = AddTyped("Bell", sounders);
        AddTyped("Secret", hidden);
        AddTyped("Loose Type", 0);
        DeviceTypeRecord standalone = EditorType("Radio Unit");
        standalone.Family = static_cast<std::int16_t>(radio);
        standalone.StandaloneSetting = 1;
        cat->AddType(standalone);
    }
    int AddTyped(const std::string& name, int family) {
        DeviceTypeRecord type = EditorType(name);
        type.Family = static_cast<std::int16_t>(family);
        return cat->AddType(type);
    }
    static std::vector<std::string> Texts(const DeviceTypeChooser& chooser) {
        std::vector<std::string> texts;
        for (const ChooserItem& item : chooser.Items())
            texts.push_back(std::string(item.level == 1 ? "+" : "  ") + item.text);
        return texts;
    }
    int sounders = 0, hidden = 0, radio = 0, optical = 0, heat = 0, bell = 0;
};

TEST_F(DeviceTypeChooserTest, TreeListsShownFamiliesAndTheirPlaceableKindsAndOkChoosesAType) {
    DeviceTypeChooser chooser;
    EXPECT_EQ(Texts(chooser), (std::vector<std::string>{"+Alarm Sounders", "  Bell", "+Detectors",
                                                        "  Heat", "  Optical"}));
    EXPECT_TRUE(chooser.TreeVisible());
    EXPECT_EQ(chooser.ChooseText(), "Choose a new device type.");
    // OK is enabled only for a device type.
    std::string enabled;
    for (int item : {0, 4, 2, 1}) {
        chooser.Select(item);
        enabled += chooser.OkEnabled() ? "y" : "n";
    }
    EXPECT_EQ(enabled, "nyny");
    ASSERT_TRUE(chooser.PressOk());
    EXPECT_EQ(chooser.Result(), std::to_string(bell));
    EXPECT_FALSE(DeviceTypeChooser().PressOk());  // nothing selected at first
}

TEST_F(DeviceTypeChooserTest, ATypeWithoutAnIconIsNotImplemented) {
    DeviceTypeTable[static_cast<std::size_t>(optical)].IconNumber = 0;
    DeviceTypeChooser chooser;
    chooser.Select(4);
    ASSERT_TRUE(chooser.OkEnabled());
    EXPECT_FALSE(chooser.PressOk());
    ASSERT_EQ(platform.messages.size(), 1u);
    const RecordedMessage& m = platform.messages[0];
    EXPECT_EQ(std::make_tuple(m.text, m.title, m.icon),
              std::make_tuple("Sorry, this type is not implemented in the calculator!",
                              "Add Device Type", MsgIcon::Information));
    EXPECT_EQ(chooser.Result(), "Cancel");
}

TEST_F(DeviceTypeChooserTest, DoubleClickOpensFamiliesAndAPreselectedTypeIsSelected) {
    DeviceTypeChooser chooser;
    EXPECT_FALSE(chooser.DoubleClick(2));
    EXPECT_EQ(std::make_tuple(chooser.Items()[2].open, chooser.Items()[2].picture),
              std::make_tuple(true, ChooserPicture::FamilyOpen));
    EXPECT_TRUE(chooser.DoubleClick(3));
    EXPECT_EQ(chooser.Result(), std::to_string(heat));

    DeviceTypeChooser preselected(optical);
    EXPECT_EQ(preselected.SelectedItem(), 4);
    EXPECT_TRUE(preselected.Items()[2].open);
}

TEST_F(DeviceTypeChooserTest, WithEveryFamilyHiddenOnlyCancelIsLeft) {
    for (DeviceFamily& family : FamilyTable)
        family.FamilyShown = false;
    DeviceTypeChooser chooser;
    EXPECT_TRUE(chooser.Items().empty());
    EXPECT_FALSE(chooser.TreeVisible());
    EXPECT_EQ(chooser.ChooseText(),
              "There are no addressable devices to choose from! Select a Device "
              "Family in the Options dialogue box.");
}

}  // namespace
