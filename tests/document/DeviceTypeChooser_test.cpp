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
    chooser.Select(0);  // a family: OK is for device types only
    EXPECT_FALSE(chooser.OkEnabled());
    chooser.Select(1);
    ASSERT_TRUE(chooser.PressOk());
    EXPECT_EQ(chooser.Result(), std::to_string(bell));
    EXPECT_FALSE(DeviceTypeChooser().PressOk());  // nothing selected at first
}

}  // namespace
