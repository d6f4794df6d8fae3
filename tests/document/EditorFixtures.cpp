#include "document/EditorFixtures.h"

#include <algorithm>
#include <numeric>

#include "catalogue/Options.h"
#include "catalogue/Panels.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "engine/Scaling.h"

EditorCatalogue::EditorCatalogue() {
    FamilyTable.assign(1, DeviceFamily{"None", "None", "ALL", true, true});
    FamilyOrder.assign(1, 0);
    FamilyCount = 0;
    DeviceOrder.assign(1, 0);
    StandardDevice.assign(1, false);
}

EditorCatalogue::~EditorCatalogue() {
    ResetPanelCatalogue();
    ResetCataloguePreferences();
}

int EditorCatalogue::AddFamily(const std::string& title, bool shown) {
    FamilyTable.push_back(DeviceFamily{title, title, "ALL", true, shown});
    FamilyCount = static_cast<int>(FamilyTable.size()) - 1;
    FamilyOrder.resize(FamilyTable.size());
    std::iota(FamilyOrder.begin(), FamilyOrder.end(), std::int16_t{0});
    std::stable_sort(FamilyOrder.begin(), FamilyOrder.end(), [](std::int16_t a, std::int16_t b) {
        return FamilyTable[static_cast<std::size_t>(a)].FamilyTitle <
               FamilyTable[static_cast<std::size_t>(b)].FamilyTitle;
    });
    return FamilyCount;
}

int EditorCatalogue::AddRange(const std::string& name, int first, int last) {
    AddressRangeEntry range;
    range.RangeName = name;
    for (int address = first; address <= last; ++address) {
        range.RangeAllows[static_cast<std::size_t>(address)] = true;
        ++range.RangeCount;
        if (address > 126) range.RangeHasHigh = HighAddressesUsed = true;
    }
    AddressRangeTable.push_back(range);
    return static_cast<int>(AddressRangeTable.size()) - 1;
}

std::int16_t EditorCatalogue::AddType(DeviceTypeRecord type, bool standard) {
    const std::int16_t number = AddDevice(std::move(type));
    DeviceOrder.resize(DeviceTypeTable.size());
    std::iota(DeviceOrder.begin(), DeviceOrder.end(), std::int16_t{0});
    std::stable_sort(DeviceOrder.begin(), DeviceOrder.end(), [](std::int16_t a, std::int16_t b) {
        return DeviceTypeTable[static_cast<std::size_t>(a)].Name <
               DeviceTypeTable[static_cast<std::size_t>(b)].Name;
    });
    StandardDevice.resize(DeviceTypeTable.size(), false);
    StandardDevice[static_cast<std::size_t>(number)] = standard;
    return number;
}

void EditorCatalogue::ChoosePanel(int maxDevicesPerLoop, int outputs, int maxLoopCurrent) {
    ControlPanel panel;
    panel.PanelName = "Panel " + std::to_string(PanelTable.size() + 1);
    panel.Loops = 8;
    panel.AlarmLEDs = 255;
    panel.RemoteLEDs = 255;
    panel.Outputs = static_cast<std::uint8_t>(outputs);
    panel.MaxLoopCurrent = static_cast<std::int16_t>(maxLoopCurrent);
    panel.MaxTotalCurrent = 4000;
    panel.MinLoopVoltage = 1800;
    panel.MaxDevicesPerLoop = static_cast<std::int16_t>(maxDevicesPerLoop);
    PanelTable.push_back(panel);
    SetCurrentPanel(static_cast<int>(PanelTable.size()) - 1);
}

DeviceTypeRecord EditorType(const std::string& name, std::int32_t quiescent, std::int32_t alarm) {
    DeviceTypeRecord t = Device(quiescent, alarm);
    t.Name = name;
    t.Family = 1;
    return t;
}

DeviceTypeRecord RemoteDriverType(const std::string& name) {
    DeviceTypeRecord t = EditorType(name);
    t.OutputUse = {kRemoteOutput, kNoOutput, kNoOutput};
    t.UsesOutputGroup3 = true;
    return t;
}

DeviceTypeRecord BaseMountedMaster(const std::string& name) {
    DeviceTypeRecord t = EditorType(name);
    t.NoOtherDevices = true;
    t.IsMaster = true;
    return t;
}

DeviceTypeRecord BaseMountedSlave(const std::string& name, std::uint8_t baseType) {
    DeviceTypeRecord t = EditorType(name, 50, 500);
    t.NoOtherDevices = true;
    t.IsSlave = true;
    t.BaseType = baseType;
    return t;
}

OtherDevice Ancillary(const std::string& name, std::uint8_t maxQuantity) {
    OtherDevice o = Other(200, 2000);
    o.OtherName = name + "s";
    o.SingleName = name;
    o.MaxQuantity = maxQuantity;
    return o;
}

OtherDevice AncillaryBase(const std::string& name, std::uint8_t baseType) {
    OtherDevice o = Ancillary(name);
    o.IsBaseContext = true;
    o.OtherBase = baseType;
    return o;
}

OtherDevice StandaloneDevice(const std::string& name, std::int16_t addressableDevice) {
    OtherDevice o = Ancillary(name);
    o.IsStandaloneContext = true;
    o.AddressableDevice = addressableDevice;
    return o;
}

namespace {

// Loops filled on another catalogue cannot be cleared on this one (their types would be looked
// up), so every loop starts from a new, empty model.
void FreshLoopModels() {
    for (int loop = 1; loop <= kLoopCount; ++loop)
        CurrentDocument().ReplaceLoopModel(loop, std::make_unique<clsCalculator>());
}

}  // namespace

void EditorTest::SetUp() {
    ScriptedTest::SetUp();
    FreshLoopModels();
    cat.emplace();
    cat->AddFamily("Detectors");
    cat->ChoosePanel(126);
    SetDisplayUnits(kMetricUnits);
    NewDocument();
}

void EditorTest::TearDown() {
    FreshLoopModels();
    cat.reset();
    ScriptedTest::TearDown();
}

clsCalculator& EditorTest::Loop(int loop) {
    return CurrentDocument().LoopModel(loop);
}

std::unique_ptr<LoopEditorModel> EditorTest::OpenEditor(int loop) {
    auto editor = std::make_unique<LoopEditorModel>(loop);
    editor->Activate();
    return editor;
}

namespace {

// The place of the first row with the given key; fails the test when there is none.
template <typename Row, typename Key>
int PlaceOf(const std::vector<Row>& rows, Key Row::*key, int wanted, const char* what) {
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (rows[i].*key == wanted) return static_cast<int>(i);
    ADD_FAILURE() << "no " << what << " row for " << wanted;
    return 0;
}

}  // namespace

int EditorTest::RowOf(const LoopEditorModel& editor, int type) {
    return PlaceOf(editor.DeviceRows(), &DeviceRow::type, type, "device");
}

int EditorTest::OtherRowOf(const LoopEditorModel& editor, int other) {
    return PlaceOf(editor.OtherRows(), &OtherRow::other, other, "other device");
}

std::vector<int> EditorTest::SlotsOf(int type, int loop) {
    std::vector<int> slots;
    for (int slot = 0; slot < clsCalculator::kSlotCount; ++slot)
        if (Loop(loop).DeviceType(slot) == type) slots.push_back(slot);
    return slots;
}

std::string Layout(int loop) {
    const clsCalculator& c = CurrentDocument().LoopModel(loop);
    const DesignDocument& doc = CurrentDocument();
    const auto name = [](int type) {
        return type == 0 ? std::string("-") : DeviceTypeTable[static_cast<std::size_t>(type)].Name;
    };
    const auto other = [](int o) {
        return OtherDeviceTable[static_cast<std::size_t>(o)].SingleName;
    };
    std::string text;
    for (int slot = 0; slot < clsCalculator::kSlotCount; ++slot) {
        std::string s;
        if (c.DeviceOtherType(slot) != 0) s += "+" + other(c.DeviceOtherType(slot));
        if (c.DeviceOtherBaseType(slot) != 0) s += "/" + other(c.DeviceOtherBaseType(slot));
        if (c.DeviceBaseType(slot) != 0) s += "^" + name(c.DeviceBaseType(slot));
        if (c.DeviceBaseAddr(slot) != slot) s += "@" + std::to_string(c.DeviceBaseAddr(slot));
        if (doc.DeviceCarriedValue(loop, slot) != 0)
            s += "#" + std::to_string(doc.DeviceCarriedValue(loop, slot));
        if (doc.DeviceEavesdropFlag(loop, slot)) s += "!";
        for (int sub = clsCalculator::kFirstSub; sub <= clsCalculator::kLastSub; ++sub)
            if (c.DeviceStandalone(slot, sub) != 0)
                s += " s" + std::to_string(sub) + "=" + other(c.DeviceStandalone(slot, sub)) + "@" +
                     std::to_string(c.DeviceStandaloneAddress(slot, sub));
        if (c.DeviceType(slot) == 0 && s.empty()) continue;
        text +=
            (text.empty() ? "" : " ") + std::to_string(slot) + ":" + name(c.DeviceType(slot)) + s;
    }
    return text;
}

std::vector<std::string> EditorTest::TakeMessages() {
    const std::vector<std::string> texts = MessageTexts();
    platform.messages.clear();
    return texts;
}
