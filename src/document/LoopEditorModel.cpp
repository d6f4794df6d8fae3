#include "document/LoopEditorModel.h"

#include <cctype>

#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "catalogue/OtherDevices.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "document/LoopEditorPanel.h"
#include "document/LoopEditorPlacement.h"
#include "engine/Scaling.h"
#include "engine/clsCalculator.h"
#include "shell/Numbers.h"
#include "shell/Platform.h"

const std::string LoopEditorModel::kDeviceTableNote =
    "To always have this table start with some device types in it,\n"
    "define some to be \"Standard Devices\".\n"
    "This can be done using the \"Standard Devices\" property page\n"
    "of the Options dialogue box, accessed from the File menu.";

namespace {

std::string Current(std::int64_t quantity, std::int32_t microamps) {
    return CurrentText(Amount::FromWhole(quantity * microamps));
}

bool FamilyIsShown(int family) {
    const DeviceFamily* record = FindFamilyRecord(family);
    return record && record->FamilyShown;
}

bool IsQuantityKey(char key) {
    return std::isdigit(static_cast<unsigned char>(key)) || key == '\b' || key == '.';
}

}  // namespace

LoopEditorModel::LoopEditorModel(int loopNum) : loop_(loopNum) {
    CurrentDocument().LoopModel(loop_);  // an invalid loop number fails here, not later
}

LoopEditorModel::~LoopEditorModel() = default;

std::string LoopEditorModel::Caption() const {
    return "Loop " + FormatGeneral(static_cast<std::int64_t>(loop_));
}

clsCalculator& LoopEditorModel::Calc() const {
    return CurrentDocument().LoopModel(loop_);
}

LoopSlots LoopEditorModel::Slots() const {
    return LoopSlots{Calc(), CurrentDocument(), loop_};
}

void LoopEditorModel::Recalculate() {
    CalculateLoop(loop_);
}

bool LoopEditorModel::Refuse(const std::string& message, CheckMode mode) const {
    if (mode != CheckMode::Silent)
        ShowMessage(message, Caption(), MsgIcon::Exclamation, MsgButtons::OK);
    return false;
}

void LoopEditorModel::Activate() {
    if (activated_) return;
    activated_ = true;
    loading_ = true;
    backup_ = Calc().Copy();
    const DesignDocument& doc = CurrentDocument();
    for (int address = 0; address < kAddressCount; ++address) {
        backupCarried_[static_cast<std::size_t>(address)] = doc.DeviceCarriedValue(loop_, address);
        backupEavesdrop_[static_cast<std::size_t>(address)] =
            doc.DeviceEavesdropFlag(loop_, address);
    }
    FillTables();
    FillFields();
    loading_ = false;
    SetSliderFromLengths();
    Recalculate();
}

// --- Tables

void LoopEditorModel::FillTables() {
    otherRows_.clear();
    for (std::size_t other = 1; other < OtherDeviceTable.size(); ++other) {
        const int family = OtherDeviceRecordAt(static_cast<int>(other)).OtherFamily;
        if (family != 0 && !FamilyIsShown(family)) continue;
        OtherRow row;
        row.other = static_cast<std::uint8_t>(other);
        FillOtherRow(row);
        otherRows_.push_back(row);
    }

    deviceRows_.clear();
    const clsCalculator& calc = Calc();
    for (const std::int16_t type : DeviceOrder) {
        if (type == 0 || DeviceTypeRecordAt(type).Name.empty()) continue;
        const int count = CountDevicesOfType(calc, type);
        if (count < 1 && !IsStandardDevice(type)) continue;
        DeviceRow row;
        row.type = type;
        row.quantity = count;
        FillDeviceRow(row);
        deviceRows_.push_back(row);
    }
}

void LoopEditorModel::FillDeviceRow(DeviceRow& row) const {
    const DeviceTypeRecord& type = DeviceTypeRecordAt(row.type);
    row.name = type.Name;
    row.quiescent = Current(row.quantity, type.QuiescentCurrent);
    const bool ledsOff = Calc().DINLEDsDisabled() && type.LedDisabledCurrentDiffers;
    row.alarm = Current(row.quantity, ledsOff ? type.AlarmCurrentLedDisabled : type.AlarmCurrent);
}

void LoopEditorModel::FillOtherRow(OtherRow& row) const {
    const OtherDevice& other = OtherDeviceRecordAt(row.other);
    row.name = other.SingleName;
    row.quantity = Calc().QtyOthers(row.other);
    row.quiescent = Current(row.quantity, other.OtherQuiescent);
    row.alarm = Current(row.quantity, other.OtherAlarm);
}

void LoopEditorModel::RefillDeviceCurrents() {
    for (DeviceRow& row : deviceRows_)
        FillDeviceRow(row);
}

void LoopEditorModel::UpdateDinEnabled() {
    dinEnabled_ = false;
    for (const DeviceRow& row : deviceRows_)
        if (row.quantity > 0 && DeviceTypeRecordAt(row.type).LedDisabledCurrentDiffers)
            dinEnabled_ = true;
}

std::optional<int> LoopEditorModel::AddChosenType(const std::string& chooserResult) {
    if (chooserResult.empty() || chooserResult == "Cancel") return std::nullopt;
    int type = 0;
    for (const char c : chooserResult) {
        if (!std::isdigit(static_cast<unsigned char>(c)) || type > kMaxDeviceTypes)
            return std::nullopt;
        type = type * 10 + (c - '0');
    }
    if (!IsValidDeviceType(type)) return std::nullopt;
    for (std::size_t row = 0; row < deviceRows_.size(); ++row)
        if (deviceRows_[row].type == type) return static_cast<int>(row);
    DeviceRow row;
    row.type = static_cast<std::int16_t>(type);
    FillDeviceRow(row);
    deviceRows_.push_back(row);
    return static_cast<int>(deviceRows_.size()) - 1;
}

bool LoopEditorModel::ValidateDeviceQuantity(int rowIndex, const std::string& text,
                                             CheckMode mode) {
    if (loading_ || mode == CheckMode::TowardsCancel) return true;
    DeviceRow& row = deviceRows_.at(static_cast<std::size_t>(rowIndex));
    const int type = row.type;
    const double typed = LeadingNumber(text);
    const int rangeCount = AddressRangeCountOf(type);
    if (typed < 0 || typed > rangeCount)
        return Refuse("Invalid number of devices!  (Must be between 0 and " +
                          FormatGeneral(static_cast<std::int64_t>(rangeCount)) + ")",
                      mode);
    const auto change = static_cast<std::int32_t>(RoundHalfEven(typed - row.quantity));
    if (change == 0) {
        ShowResultsAgainIfOutOfDate();
        return true;
    }
    const int limit =
        CurrentPanelRecord().MaxDevicesPerLoop * (IsBaseMountedSlaveType(type) ? 2 : 1);
    if (Calc().QtyDevices() + change > limit) return Refuse("Too many devices on this loop!", mode);

    const RuleResult result =
        change < 1 ? RemoveDevices(Slots(), type, -change, row.quantity + change == 0)
                   : AddDevices(Slots(), type, change);
    if (!result.ok) return Refuse(result.message, mode);

    row.quantity += change;
    UpdateDinEnabled();
    MarkModified();
    FillDeviceRow(row);
    Recalculate();
    return true;
}

bool LoopEditorModel::ValidateOtherQuantity(int rowIndex, const std::string& text, CheckMode mode) {
    if (loading_ || mode == CheckMode::TowardsCancel) return true;
    OtherRow& row = otherRows_.at(static_cast<std::size_t>(rowIndex));
    const OtherDevice& other = OtherDeviceRecordAt(row.other);
    const double typed = LeadingNumber(text);
    if (typed < 0) return Refuse("Invalid number of " + other.OtherName + "!", mode);
    if (typed > other.MaxQuantity)
        return Refuse("Cannot have more than " +
                          FormatGeneral(static_cast<std::int64_t>(other.MaxQuantity)) + " " +
                          other.OtherName + "!",
                      mode);
    const auto wanted = static_cast<std::int32_t>(RoundHalfEven(typed));
    const std::int32_t change = wanted - Calc().QtyOthers(row.other);
    if (change == 0) {
        ShowResultsAgainIfOutOfDate();
        return true;
    }
    if (change > 0) {
        const OtherPlacement counted = PlaceOtherDevices(Slots(), row.other, change, false);
        if (counted.unplaced > 0)
            return Refuse(OtherPlacementMessage(row.other, wanted, counted), mode);
        PlaceOtherDevices(Slots(), row.other, change, true);
    } else {
        RemoveOtherDevices(Slots(), row.other, -change);
    }
    MarkModified();
    FillOtherRow(row);
    Recalculate();
    return true;
}

bool LoopEditorModel::QuantityKey(char key) {
    if (!IsQuantityKey(key)) {
        CurrentPlatform().Beep(MsgIcon::Exclamation);
        return false;
    }
    MarkResultsOutOfDate();
    return true;
}

QuantityMove LoopEditorModel::MoveInDeviceTable(int row, int step) const {
    const int next = row + step;
    if (next >= static_cast<int>(deviceRows_.size()))
        return {std::nullopt, EditorControl::MaxOutputs};
    if (next < 0) return {std::nullopt, EditorControl::AddButton};
    return {next, EditorControl::DeviceTable};
}

QuantityMove LoopEditorModel::MoveInOtherTable(int row, int step, bool dinCheckBoxVisible) const {
    const int next = row + step;
    if (next >= static_cast<int>(otherRows_.size()))
        return {std::nullopt, EditorControl::CalcOption};
    if (next < 0) {
        if (dinCheckBoxVisible) return {std::nullopt, EditorControl::DinCheckBox};
        return {row, EditorControl::OtherTable};
    }
    return {next, EditorControl::OtherTable};
}

// --- Results

void LoopEditorModel::ShowLoopResults(int loop, const LoopResults& results) {
    if (loop != loop_) return;
    results_ = results;
    outOfDate_ = false;
    if (results.totalRun) totalText_ = *results.totalRun;
    // The smallest usable cable found by the calculation is shown in the list; this is a
    // display of the result, not a choice of the user's.
    if (results.cableImpedance && !cableEntries_.empty()) {
        selectedCable_ = CableEntryForImpedance(*results.cableImpedance);
        impedanceText_ = ImpedanceToText(*results.cableImpedance);
    }
}

ResultsView LoopEditorModel::Results() const {
    ResultsView view;
    view.shown = results_;
    view.outOfDate = outOfDate_;
    if (outOfDate_) {
        view.shown.voltDrop.clear();
        view.shown.maxVoltDropNote.clear();
        view.shown.explanation.clear();
        view.shown.profile = {};
        view.shown.verdictLong = kOutOfDateText;
        if (calcOption_ == kOptCableRun) view.shown.totalRun = std::string();
        view.passFailBold = false;
        view.passFailPointSize = 8;
    }
    return view;
}

void LoopEditorModel::MarkResultsOutOfDate() {
    outOfDate_ = true;
    if (calcOption_ == kOptCableRun) totalText_.clear();  // it holds a calculated value
}

void LoopEditorModel::ShowResultsAgainIfOutOfDate() {
    if (outOfDate_) RefreshLoopDisplay(loop_);
}

// --- Closing

OkOutcome LoopEditorModel::PressOk() {
    const clsCalculator& calc = Calc();
    if (calc.CableTotal() == 0 && calc.QtyDevices() > 0 &&
        ShowMessage("You have not specified a Total Cable Run.  Is this correct?", Caption(),
                    MsgIcon::Question, MsgButtons::YesNo, 1) == MsgResult::No)
        return OkOutcome::StayOnTotalLength;
    return OkOutcome::Close;
}

void LoopEditorModel::Cancel() {
    if (!backup_) return;  // never activated: nothing was changed
    DesignDocument& doc = CurrentDocument();
    doc.ReplaceLoopModel(loop_, backup_->Copy());
    // The carried values and eavesdrop flags belong to the devices at their addresses, so they
    // go back with the slots.
    for (int address = 0; address < kAddressCount; ++address) {
        doc.DeviceCarriedValue(loop_, address) = backupCarried_[static_cast<std::size_t>(address)];
        doc.DeviceEavesdropFlag(loop_, address) =
            backupEavesdrop_[static_cast<std::size_t>(address)];
    }
    Recalculate();
    SetLastCableImpedance(Calc().CableImpedance());
    SetLastCalcType(Calc().CalcType());
}
