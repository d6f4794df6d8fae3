#pragma once
// A small catalogue and an empty design for the loop editor's tests. Builds on the loop model's
// in-memory catalogue and adds what the editor reads besides: families, address ranges, the
// type display order, standard devices and a chosen panel.
//
//     class MyTest : public EditorTest {};
//     TEST_F(MyTest, ...) {
//         const int detector = cat->AddType(EditorType("Detector"), true);   // a standard device
//         auto editor = OpenEditor();                                        // loop 1, activated
//         editor->ValidateDeviceQuantity(RowOf(*editor, detector), "5", CheckMode::Leaving);
//     }
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "document/LoopEditorModel.h"
#include "engine/EngineFixtures.h"
#include "support/TestSupport.h"

class EditorCatalogue : public EngineCatalogue {
public:
    EditorCatalogue();  // family 0 "None" only
    ~EditorCatalogue();

    // Appends a family (its title is its display name); returns its number.
    int AddFamily(const std::string& title, bool shown = true);
    // Appends an address range allowing the addresses first..last; returns its number.
    int AddRange(const std::string& name, int first, int last);
    // Appends a device type, keeping the display order sorted by name; returns its number.
    std::int16_t AddType(DeviceTypeRecord type, bool standard = false);
    // Appends a panel with these limits and makes it the chosen one.
    void ChoosePanel(int maxDevicesPerLoop, int outputs = 10, int maxLoopCurrent = 500);
};

// A device type of family 1 with an icon (placeable), over the whole address range.
DeviceTypeRecord EditorType(const std::string& name, std::int32_t quiescent = 100,
                            std::int32_t alarm = 1000);
// A device type that can drive remote outputs (output group 3).
DeviceTypeRecord RemoteDriverType(const std::string& name);
// A base-mounted master, and a base-mounted slave for hosts of the given base type.
DeviceTypeRecord BaseMountedMaster(const std::string& name);
DeviceTypeRecord BaseMountedSlave(const std::string& name, std::uint8_t baseType);

// Other devices with both names (OtherName is the plural used in messages).
OtherDevice Ancillary(const std::string& name, std::uint8_t maxQuantity = 255);
OtherDevice AncillaryBase(const std::string& name, std::uint8_t baseType = 0);
OtherDevice StandaloneDevice(const std::string& name, std::int16_t addressableDevice = 0);

// What the loop holds, slot by slot along the numbering, e.g.
// "1:Detector+Beacon/Deep Base#77! 2:Host^Slave@9 5:- s2=Radio Sounder@7": the device type,
// "+" its other device, "/" its other base, "^" its slave base type, "@" its base address
// when it is not the slot's own, "#" the carried value, "!" the eavesdrop flag, "s<sub>="
// the standalone devices with their master's address. Empty slots are left out.
std::string Layout(int loop = 1);

class EditorTest : public ScriptedTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loop 1's calculator (or another loop's).
    clsCalculator& Loop(int loop = 1);
    // An editor for the loop, activated as the window's first activation does.
    std::unique_ptr<LoopEditorModel> OpenEditor(int loop = 1);
    // The device row of a type; fails the test when there is none.
    static int RowOf(const LoopEditorModel& editor, int type);
    static int OtherRowOf(const LoopEditorModel& editor, int other);
    // The slots of the loop where a device of the type sits.
    std::vector<int> SlotsOf(int type, int loop = 1);
    // Message texts shown so far, and forgets them.
    std::vector<std::string> TakeMessages();

    std::optional<EditorCatalogue> cat;
};
