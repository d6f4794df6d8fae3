#include "app/PanelEditorModel.h"

#include <memory>
#include <optional>
#include <vector>

#include "app/LoopsSnapshot.h"
#include "catalogue/DeviceTypes.h"
#include "document/CalcGlue.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "document/MainWindowView.h"
#include "engine/clsCalculator.h"
#include "shell/ErrorHandler.h"
#include "shell/Numbers.h"
#include "shell/Platform.h"
#include "shell/Product.h"
#include "shell/Settings.h"
#include "shell/Text.h"

namespace {

std::size_t At(PanelField field) {
    return static_cast<std::size_t>(field);
}

// The numeric value of a field: the number its text starts with; nothing for a text without a
// digit, which fails every range.
std::optional<double> FieldValue(const std::string& text) {
    if (text.find_first_of("0123456789") == std::string::npos) return std::nullopt;
    return LeadingNumber(text);
}

bool IsLivePanel(int number) {
    return number >= 0 && number < static_cast<int>(PanelTable.size()) &&
           PanelTable[static_cast<std::size_t>(number)].Manufacturer >= 0;
}

bool NameTaken(const std::string& name, int self) {
    for (int n = 0; n < static_cast<int>(PanelTable.size()); ++n)
        if (n != self && IsLivePanel(n) &&
            EqualsNoCase(Trim(PanelTable[static_cast<std::size_t>(n)].PanelName), name))
            return true;
    return false;
}

}  // namespace

void RefillMainPanelList() {
    TellInstalled<MainWindowView>([](MainWindowView& view) { view.ShowPanelChoice(); });
}

PanelEditorModel::PanelEditorModel(int panelNum) : panelNum_(panelNum) {}

bool PanelEditorModel::Open() {
    if (panelNum_ == -1 && UnknownPanelIndex >= 0) {
        working_ = PanelTable[static_cast<std::size_t>(UnknownPanelIndex)];
        working_.PanelName = kUnchosenName;
        working_.Manufacturer = static_cast<std::int16_t>(CustomManufacturerIndex);
        working_.IsStandardPanel = false;
    } else if (IsLivePanel(panelNum_)) {
        working_ = PanelTable[static_cast<std::size_t>(panelNum_)];
    } else {
        ShowMessage("Internal error: invalid control panel", kProductName, MsgIcon::Exclamation);
        return false;
    }
    texts_ = {working_.PanelName,
              std::to_string(working_.Loops),
              FormatFixed(working_.DriverImpedance / 100.0, 2),
              std::to_string(working_.AlarmLEDs),
              std::to_string(working_.RemoteLEDs),
              std::to_string(working_.Outputs),
              std::to_string(working_.MaxLoopCurrent),
              std::to_string(working_.MaxTotalCurrent),
              FormatFixed(working_.MinLoopVoltage / 100.0, 2)};
    return true;
}

std::string PanelEditorModel::NotesText() const {
    return IsEditable() ? "This is a 'user-defined' panel.  Its parameters may be edited."
                        : "This is a 'standard' panel.  Its parameters cannot be edited.";
}

std::string PanelEditorModel::CloseCaption() const {
    return IsEditable() ? "Cancel" : "Close";
}

std::string PanelEditorModel::ManufacturerText() const {
    const int maker = working_.Manufacturer;
    if (maker < 0 || maker >= static_cast<int>(ManufacturerTable.size())) return "";
    return ManufacturerTable[static_cast<std::size_t>(maker)].ManufacturerName;
}

const std::string& PanelEditorModel::Text(PanelField field) const {
    static const std::string none;
    return field == PanelField::OK ? none : texts_[At(field)];
}

void PanelEditorModel::SetText(PanelField field, std::string text) {
    if (field != PanelField::OK) texts_[At(field)] = std::move(text);
}

bool PanelEditorModel::AcceptsKey(PanelField field, char32_t key) const {
    if (field == PanelField::Name || field == PanelField::OK) return true;
    const bool decimals = field == PanelField::Impedance || field == PanelField::Voltage;
    if ((key >= U'0' && key <= U'9') || key == kBackspaceKey || (decimals && key == U'.'))
        return true;
    CurrentPlatform().Beep(MsgIcon::Exclamation);
    return false;
}

PanelField PanelEditorModel::NextField(PanelField field) {
    return field == PanelField::OK ? PanelField::OK
                                   : static_cast<PanelField>(static_cast<int>(field) + 1);
}

bool PanelEditorModel::Refuse(PanelField field, const std::string& message) {
    ShowMessage(message, kProductName, MsgIcon::Exclamation);
    focus_ = field;
    return false;
}

bool PanelEditorModel::Declined(PanelField field, const std::string& question) {
    if (ShowMessage(question, kProductName, MsgIcon::Question, MsgButtons::YesNoCancel) ==
        MsgResult::Yes)
        return false;
    focus_ = field;
    return true;
}

bool PanelEditorModel::Accept() {
    return CheckFields() && Store();
}

bool PanelEditorModel::CheckFields() {
    const std::string name = Trim(texts_[At(PanelField::Name)]);
    texts_[At(PanelField::Name)] = name;
    // An empty name would be written as a free slot of CUSTPAN.DAT and lost, so it counts as
    // not chosen either.
    if (name == kUnchosenName || name.empty())
        return Refuse(PanelField::Name, "A panel name has not been chosen!");
    if (NameTaken(name, panelNum_))
        return Refuse(PanelField::Name,
                      "Each control panel must have unique name.\n\nThere is already a control "
                      "panel with this name!");
    working_.PanelName = name;

    // Takes the field's value into v when it lies within the range; false otherwise.
    double v = 0;
    const auto inRange = [&](PanelField field, double low, double high) {
        const auto value = FieldValue(texts_[At(field)]);
        if (!value || *value < low || *value > high) return false;
        v = *value;
        return true;
    };
    const auto toByte = [&] { return RoundToByte(v).value_or(0); };
    const auto toInt16 = [&](double scale) { return RoundToInt16(v * scale).value_or(0); };
    const std::string most = std::to_string(MaxLoopAddress());

    if (!inRange(PanelField::Loops, 1, 8))
        return Refuse(PanelField::Loops, "A Number of Loops between 1 and 8 must be chosen!");
    working_.Loops = toByte();
    if (!inRange(PanelField::Impedance, 0, 320))
        return Refuse(PanelField::Impedance,
                      "A Loop Driver Impedance between 0 and 320 ohms must be chosen!");
    if (v < 0.01 &&
        Declined(PanelField::Impedance, "Is the Loop Driver Impedance really this low?"))
        return false;
    working_.DriverImpedance = toInt16(100);
    if (!inRange(PanelField::LEDs, 1, MaxLoopAddress()))
        return Refuse(PanelField::LEDs, "A maximum Number of LED's in alarm between 1 and " + most +
                                            " (normally not more than 20) must be chosen!");
    if (v > 20 && working_.AlarmLEDs <= 20 &&
        Declined(PanelField::LEDs, "Can this panel really turn on more than 20 LED's?"))
        return false;
    working_.AlarmLEDs = toByte();
    if (!inRange(PanelField::RemoteLEDs, 1, MaxLoopAddress()))
        return Refuse(
            PanelField::RemoteLEDs,
            "A maximum Number of Remote LED's in alarm between 1 and " + most + " must be chosen!");
    working_.RemoteLEDs = toByte();
    if (!inRange(PanelField::Outputs, 1, MaxLoopAddress()))
        return Refuse(PanelField::Outputs, "A maximum Number of Outputs in alarm between 1 and " +
                                               most + " must be chosen!");
    working_.Outputs = toByte();
    if (!inRange(PanelField::LoopCurrent, 1, 10000))
        return Refuse(PanelField::LoopCurrent,
                      "A maximum Loop Current between 1 and 10000 mA must be chosen!");
    working_.MaxLoopCurrent = toInt16(1);
    if (!inRange(PanelField::TotalCurrent, 1, 32000))
        return Refuse(PanelField::TotalCurrent,
                      "A total maximum Loop Current between 1 and 32000 mA must be chosen!");
    working_.MaxTotalCurrent = toInt16(1);
    if (!inRange(PanelField::Voltage, 14, 36))
        return Refuse(PanelField::Voltage,
                      "A minimum Loop Driver Voltage between 14 and 36 V must be chosen!");
    working_.MinLoopVoltage = toInt16(100);
    return true;
}

bool PanelEditorModel::Store() {
    if (panelNum_ == -1) {
        const int added = AddCustomPanel(working_);
        if (added < 0) return false;
        panelNum_ = added;
        RefillMainPanelList();
        return true;
    }
    const bool inUse = panelNum_ == GetCurrentPanel();
    if (inUse ? !StorePanelInUse() : !UpdateCustomPanel(panelNum_, working_)) return false;
    // A new name may have moved the panel in the sorted table.
    for (int n = 0; n < static_cast<int>(PanelTable.size()); ++n)
        if (IsLivePanel(n) &&
            PanelTable[static_cast<std::size_t>(n)].PanelSection == working_.PanelSection)
            panelNum_ = n;
    RefillMainPanelList();
    if (inUse) RecalculateAllLoops();
    return true;
}

// The panel the design uses changes only after the design has been fitted to it: loops it no
// longer has are emptied (after the user agreed) and the loops' outputs limited. When the panel
// cannot be written after all, the loops are put back as they were.
bool PanelEditorModel::StorePanelInUse() {
    const ControlPanel old = PanelTable[static_cast<std::size_t>(panelNum_)];
    LoopsSnapshot backup;
    if (!CheckPanelLoopCount(old.Loops, working_.Loops)) {
        focus_ = PanelField::Loops;  // cancelled: nothing has changed
        return false;
    }
    if (!CheckPanelMaxDevices(old.MaxDevicesPerLoop, working_.MaxDevicesPerLoop)) {
        backup.Restore();
        focus_ = PanelField::Loops;
        return false;
    }
    LimitMaxOutputs(working_.Outputs);
    if (!UpdateCustomPanel(panelNum_, working_)) {
        backup.Restore();
        return false;
    }
    const bool renamed = working_.PanelName != old.PanelName;
    if (renamed)
        RunRetryingOnFault("Panels", [&] {
            WriteSettingText("LastPanel", working_.PanelName);
            return true;
        });
    if (renamed || working_.Loops < old.Loops || working_.Outputs < old.Outputs) MarkModified();
    return true;
}
