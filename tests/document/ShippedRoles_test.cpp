// A design that uses every shipped device type, base, other device and standalone device in the
// role the loop editor gives it survives save, open and save unchanged.
#include "document/ConfigWriter.h"
#include "document/DocumentFixtures.h"
#include "document/LoopEditorPlacement.h"

namespace {

TEST_F(ShippedDataTest, EveryShippedElementSurvivesSaveAndOpen) {
    ASSERT_TRUE(SelectPanelByName("Halvorsen HS-8"));
    DesignDocument& doc = CurrentDocument();
    // Two of every type the device chooser offers, a loop after another as each fills up.
    int loop = 1;
    for (int type = 1; type <= DeviceTypeCount; ++type) {
        if (!IsPlaceableDeviceType(type) || DeviceTypeTable[type].StandaloneSetting != 0) continue;
        while (loop <= 8 && !AddDevices({doc.LoopModel(loop), doc, loop}, type, 2).ok)
            ++loop;
        ASSERT_LE(loop, 8) << DeviceTypeTable[type].Name;
    }
    // Then every other device, on the first loop that has a place for it.
    for (std::size_t other = 1; other < OtherDeviceTable.size(); ++other) {
        bool placed = false;
        for (int l = 1; l <= 8 && !placed; ++l)
            placed = PlaceOtherDevices({doc.LoopModel(l), doc, l}, static_cast<int>(other), 1, true)
                         .unplaced == 0;
        EXPECT_TRUE(placed) << OtherDeviceTable[other].OtherName;
    }
    const std::string first = temp.File("first.QMR"), second = temp.File("second.QMR");
    ASSERT_TRUE(SaveConfigurationFile(first));
    Open(first);
    EXPECT_FALSE(doc.DataChanged);
    ASSERT_TRUE(SaveConfigurationFile(second));
    EXPECT_EQ(ReadWholeFile(second), ReadWholeFile(first));
}

}  // namespace
