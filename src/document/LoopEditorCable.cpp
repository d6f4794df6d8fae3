// The cable and calculation inputs of the loop editor: calculation type, cable size and
// impedance, the two cable runs, the outputs limit, the distribution slider and the DIN LEDs.
#include <algorithm>
#include <cctype>

#include "catalogue/Options.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "document/LoopEditorModel.h"
#include "document/LoopEditorPanel.h"
#include "engine/Scaling.h"
#include "engine/clsCalculator.h"
#include "shell/Numbers.h"
#include "shell/Platform.h"
#include "shell/Text.h"

void LoopEditorModel::FillFields() {
    const clsCalculator& calc = Calc();
    impedanceText_ = ImpedanceToText(calc.CableImpedance());
    totalText_ = LengthToText(calc.CableTotal());
    firstText_ = LengthToText(calc.CableFirst());
    maxOutputsText_ = FormatGeneral(static_cast<std::int64_t>(calc.MaxOutput()));
    UpdateDinEnabled();
    // Ticking the box runs its handler, as a click would.
    if (calc.DINLEDsDisabled()) SetDinLedsDisabled(true);
    const std::int32_t type = calc.CalcType();
    ChooseCalcType(type == kOptCableRun || type == kOptCableSize ? type : kOptVoltDrop);
    cableEntries_ = CableListEntries(true);
    SelectCableEntry(CableEntryForImpedance(Calc().CableImpedance()));
}

// --- Calculation type and cable list

void LoopEditorModel::ChooseCalcType(std::int32_t option) {
    calcOption_ = option;
    clsCalculator& calc = Calc();
    if (calc.CalcType() != option) {
        calc.CalcType(option);
        MarkModified();
    }
    SetLastCalcType(option);
    if (!loading_) Recalculate();
}

FieldStates LoopEditorModel::Fields() const {
    FieldStates states;
    const bool userDefined = selectedCable_ >= 0 &&
                             selectedCable_ < static_cast<int>(cableEntries_.size()) &&
                             cableEntries_[static_cast<std::size_t>(selectedCable_)].ItemData < 0;
    states.totalLength = calcOption_ != kOptCableRun;
    states.cableSize = calcOption_ != kOptCableSize;
    states.impedance = states.cableSize && userDefined;
    return states;
}

int LoopEditorModel::CableEntryForImpedance(std::int32_t impedance) const {
    for (std::size_t i = 0; i < cableEntries_.size(); ++i) {
        const int cable = cableEntries_[i].ItemData;
        if (cable >= 0 &&
            CableTable[static_cast<std::size_t>(cable)].CableImpedanceValue == impedance)
            return static_cast<int>(i);
    }
    return static_cast<int>(cableEntries_.size()) - 1;  // "User-Defined"
}

void LoopEditorModel::SelectCableEntry(int index) {
    selectedCable_ = index;
    const int cable = cableEntries_.at(static_cast<std::size_t>(index)).ItemData;
    if (cable < 0) return;  // "User-Defined": only the impedance field opens
    const std::int16_t impedance = CableTable[static_cast<std::size_t>(cable)].CableImpedanceValue;
    Calc().CableImpedance(impedance);
    impedanceText_ = ImpedanceToText(impedance);
    SetLastCableImpedance(impedance);
    if (loading_) return;
    MarkModified();
    Recalculate();
}

// --- Typing

bool LoopEditorModel::FieldKey(EditorControl field, char key) {
    if (std::isdigit(static_cast<unsigned char>(key)) || key == '\b' ||
        (key == '.' && field == EditorControl::Impedance))
        return true;
    CurrentPlatform().Beep(MsgIcon::Exclamation);
    return false;
}

void LoopEditorModel::FieldTextChanged(EditorControl field, const std::string& text, bool byUser) {
    switch (field) {
        case EditorControl::Impedance:
            impedanceText_ = text;
            break;
        case EditorControl::TotalLength:
            totalText_ = text;
            break;
        case EditorControl::FirstLength:
            firstText_ = text;
            break;
        case EditorControl::MaxOutputs:
            maxOutputsText_ = text;
            break;
        default:
            return;
    }
    if (loading_) return;
    if (byUser) MarkResultsOutOfDate();
    if (field == EditorControl::TotalLength && Fields().totalLength) SetSliderFromLengths();
}

EditorControl LoopEditorModel::EnterTarget(EditorControl from) const {
    const FieldStates states = Fields();
    const EditorControl afterImpedance =
        states.totalLength ? EditorControl::TotalLength : EditorControl::FirstLength;
    switch (from) {
        case EditorControl::CableSize:
            return states.impedance ? EditorControl::Impedance : afterImpedance;
        case EditorControl::Impedance:
            return afterImpedance;
        case EditorControl::TotalLength:
            return EditorControl::Slider;
        case EditorControl::Slider:
            return EditorControl::FirstLength;
        case EditorControl::FirstLength:
            return EditorControl::OkButton;
        case EditorControl::MaxOutputs:
            return OtherTableVisible() ? EditorControl::OtherTable : EditorControl::CalcOption;
        default:
            return from;
    }
}

// --- Leaving the fields

bool LoopEditorModel::LeaveImpedance(const std::string& text, CheckMode mode) {
    if (mode == CheckMode::TowardsCancel) return true;
    impedanceText_ = text;
    const std::int16_t impedance = TextToImpedance(text);
    if (impedance < 0)
        return Refuse("Cable impedance must be between " + ImpedanceToText(0) + " and " +
                          ImpedanceToText(10000) + " " + ImpedanceUnitText(DisplayUnits()) + "!",
                      mode);
    clsCalculator& calc = Calc();
    if (impedance == calc.CableImpedance()) {
        ShowResultsAgainIfOutOfDate();
        return true;
    }
    calc.CableImpedance(impedance);
    Recalculate();
    MarkModified();
    SetLastCableImpedance(impedance);
    return true;
}

bool LoopEditorModel::LengthOutOfRange(const std::string& what, CheckMode mode) const {
    return Refuse(what + " must be between 0 and " + LengthToText(clsCalculator::kMaxCableLength) +
                      " " + LengthUnitText(DisplayUnits(), false) + "!",
                  mode);
}

// Cable runs typed by the user are part of the design like any other input, so an accepted
// change marks the design changed: otherwise closing the program would drop it without asking.
// The run that follows the typed one shows its new value; the typed text stays as it is.
void LoopEditorModel::ApplyCableRuns(std::int32_t total, std::int32_t first, EditorControl typed) {
    clsCalculator& calc = Calc();
    if (typed != EditorControl::FirstLength && first != calc.CableFirst())
        firstText_ = LengthToText(first);
    if (typed != EditorControl::TotalLength && total != calc.CableTotal())
        totalText_ = LengthToText(total);
    calc.CableTotal(total);
    calc.CableFirst(first);
    MarkModified();
    Recalculate();
    SetSliderFromLengths();
}

bool LoopEditorModel::LeaveTotalLength(const std::string& text, CheckMode mode) {
    if (mode == CheckMode::TowardsCancel) return true;
    totalText_ = text;
    const std::int32_t total = TextToLength(text);
    if (total < 0) return LengthOutOfRange("Total cable run", mode);
    const clsCalculator& calc = Calc();
    if (total == calc.CableTotal()) {
        ShowResultsAgainIfOutOfDate();
        return true;
    }
    // The run to the first device cannot be longer than the whole cable.
    ApplyCableRuns(total, std::min(calc.CableFirst(), total), EditorControl::TotalLength);
    return true;
}

bool LoopEditorModel::LeaveFirstLength(const std::string& text, CheckMode mode) {
    if (mode == CheckMode::TowardsCancel) return true;
    firstText_ = text;
    const std::int32_t first = TextToLength(text);
    if (first < 0) return LengthOutOfRange("Cable run to first device", mode);
    const clsCalculator& calc = Calc();
    if (first == calc.CableFirst()) {
        ShowResultsAgainIfOutOfDate();
        return true;
    }
    ApplyCableRuns(std::max(calc.CableTotal(), first), first, EditorControl::FirstLength);
    return true;
}

bool LoopEditorModel::LeaveMaxOutputs(const std::string& text, CheckMode mode) {
    if (mode == CheckMode::TowardsCancel) return true;
    maxOutputsText_ = text;
    const int outputs = CurrentPanelRecord().Outputs;
    const double typed = LeadingNumber(text);
    if (typed < 0 || typed > outputs)
        return Refuse("Limit on quantity of activated outputs must be between 0 and " +
                          FormatGeneral(static_cast<std::int64_t>(outputs)) + " outputs!",
                      mode);
    // An empty field means every alarm output of the panel.
    const std::int32_t limit = Trim(text).empty() ? outputs : RoundToByte(typed).value_or(0);
    clsCalculator& calc = Calc();
    if (limit == calc.MaxOutput()) {
        ShowResultsAgainIfOutOfDate();
        return true;
    }
    calc.MaxOutput(limit);
    MarkModified();
    Recalculate();
    return true;
}

// --- Distribution slider

void LoopEditorModel::MoveSlider(int value, bool hasFocus) {
    slider_ = value;
    if (!hasFocus) return;
    clsCalculator& calc = Calc();
    const std::int32_t firstBefore = calc.CableFirst(), totalBefore = calc.CableTotal();
    if (calcOption_ == kOptCableRun) {
        // The calculation takes the first run as this share of the longest run it finds.
        CalculateLoop(loop_, true, static_cast<std::int16_t>(value));
    } else {
        calc.CableFirst(
            static_cast<std::int32_t>(RoundHalfEven(calc.CableTotal() * value / 100.0)));
        if (!loading_) Recalculate();
    }
    firstText_ = LengthToText(Calc().CableFirst());
    if (Calc().CableFirst() != firstBefore || Calc().CableTotal() != totalBefore) MarkModified();
}

void LoopEditorModel::SetSliderFromLengths() {
    const clsCalculator& calc = Calc();
    const double first = calc.CableFirst(), total = calc.CableTotal();
    double percentage = 0;
    if (total == 0)
        percentage = first != 0 ? 100 : 0;
    else
        percentage = first * 100 / total;
    slider_ = static_cast<int>(RoundHalfEven(std::clamp(percentage, 0.0, 100.0)));
}

// --- DIN LEDs

void LoopEditorModel::SetDinLedsDisabled(bool ticked) {
    BusyPointer busy;
    dinTicked_ = ticked;
    MarkModified();
    Calc().DINLEDsDisabled(ticked);
    RefillDeviceCurrents();
    if (!loading_) Recalculate();
}

// --- Fixed labels

std::string LoopEditorModel::PermissibleAlarmCurrentText() const {
    return "(max. permissible = " +
           FormatGeneral(static_cast<std::int64_t>(CurrentPanelRecord().MaxLoopCurrent)) + " mA)";
}

std::string LoopEditorModel::LengthUnitCaption() const {
    return LengthUnitText(DisplayUnits(), false);
}

std::string LoopEditorModel::ImpedanceUnitCaption() const {
    return ImpedanceUnitText(DisplayUnits());
}

std::string LoopEditorModel::CopperNote() const {
    return CopperReferenceText(DisplayUnits());
}
