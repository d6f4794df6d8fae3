#pragma once
// The loop editor without its window: the state of the editor of one loop and every rule behind
// its fields, as calls that apply a change to the loop's live calculator and answer what the
// window must show. The window only binds controls to these calls; it adds no logic of its own.
//
// The editor works on the loop's calculator in the open design. Every accepted change is written
// into it at once, the design is marked changed where the change is one to keep, and the loop is
// recalculated through the calculation glue. Refusals are shown through the platform as message
// boxes with the exclamation icon and the window's caption ("Loop 3") as title.
//
// Typical use by the window:
//
//     LoopEditorModel editor(3);
//     editor.Activate();                                 // backup, tables, fields, recalculation
//     editor.ValidateDeviceQuantity(row, "12", CheckMode::Leaving);
//     editor.LeaveTotalLength("500", CheckMode::Leaving);
//     if (editor.PressOk() == OkOutcome::Close) ...      // or editor.Cancel()
//
// A settings value that cannot be written throws RuntimeFault (shell/Settings.h); the window
// passes it to the common error handler.
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Cables.h"
#include "document/CalcGlue.h"

class clsCalculator;
struct LoopSlots;

// One row of the device table (grdDevices).
struct DeviceRow {
    std::int16_t type = 0;
    std::int32_t quantity = 0;
    std::string name;       // column 0: the type's Name
    std::string quiescent;  // column 2: quantity x QuiescentCurrent, as a current text
    std::string alarm;      // column 3: quantity x the alarm current (LEDs disabled or not)
};

// One row of the other device table (grdOther).
struct OtherRow {
    std::uint8_t other = 0;
    std::string name;           // column 0: SingleName
    std::int32_t quantity = 0;  // column 1: QtyOthers of the loop
    std::string quiescent;      // column 2: quantity x OtherQuiescent
    std::string alarm;          // column 3: quantity x OtherAlarm
};

// The loop editor window's size as remembered between openings ("Form Width", "Form Height",
// "Form State"). A width or height of 0 means none was remembered.
struct EditorWindowSize {
    int width = 0;
    int height = 0;
    bool maximized = false;
    friend bool operator==(const EditorWindowSize&, const EditorWindowSize&) = default;
};
EditorWindowSize RememberedEditorSize();
// Keeps the size for the next opening; a maximized window keeps its normal size as well.
void RememberEditorSize(const EditorWindowSize& size);

// How a typed value is checked when its field is left.
enum class CheckMode {
    Leaving,        // the focus moves elsewhere: a refusal shows its message
    Silent,         // a table cell is entered: a refusal shows nothing (already shown)
    TowardsCancel,  // the focus moves to Cancel: nothing is checked, so Cancel always works
};

// The calculation types behind the three options.
enum CalcOption : std::int32_t { kOptVoltDrop = 0, kOptCableRun = 1, kOptCableSize = 2 };

// The controls the editor moves the focus between.
enum class EditorControl {
    DeviceTable,
    OtherTable,
    AddButton,
    MaxOutputs,
    CalcOption,
    DinCheckBox,
    CableSize,
    Impedance,
    TotalLength,
    FirstLength,
    Slider,
    OkButton,
    CancelButton,
};

// Where the focus goes when the quantity edit box moves up or down: to another row of the same
// table, or out of the table to a control.
struct QuantityMove {
    std::optional<int> row;
    EditorControl control = EditorControl::DeviceTable;
};

// Which fields can be used.
struct FieldStates {
    bool totalLength = true;  // txtTotalLength
    bool cableSize = true;    // cmbCableSize
    bool impedance = false;   // txtCableImpedance
};

// The results part of the window as it must look now.
struct ResultsView {
    LoopResults shown;         // the last results, with the stale fields cleared
    bool outOfDate = false;    // a typed value has not been applied yet
    bool passFailBold = true;  // lblPassFail in bold size 12, or regular size 8 when out of date
    int passFailPointSize = 12;
};

enum class OkOutcome { Close, StayOnTotalLength };

class LoopEditorModel : public LoopResultsView {
public:
    // The text that asks the user to apply a typed value.
    static constexpr const char* kOutOfDateText =
        "Press <Enter> key\nor Click here\nto Re-calculate";
    // The note on the panel behind the device table.
    static const std::string kDeviceTableNote;

    explicit LoopEditorModel(int loopNum);
    ~LoopEditorModel();
    LoopEditorModel(const LoopEditorModel&) = delete;
    LoopEditorModel& operator=(const LoopEditorModel&) = delete;

    int LoopNum() const { return loop_; }
    // "Loop " and the number: the window's caption and the title of its messages.
    std::string Caption() const;
    bool Loading() const { return loading_; }

    // First activation: takes the backup copy, fills the tables and the fields from the loop,
    // selects the calculation option and the cable entry, sets the slider and recalculates.
    // Later calls do nothing.
    void Activate();

    // --- Device and other tables
    const std::vector<DeviceRow>& DeviceRows() const { return deviceRows_; }
    const std::vector<OtherRow>& OtherRows() const { return otherRows_; }
    // The other table and its caption are shown only when it has rows.
    bool OtherTableVisible() const { return !otherRows_.empty(); }
    // The result of the device type chooser: "Cancel" adds nothing; a type number selects that
    // type's row, appending it with quantity 0 when there is none. Answers the row to make current.
    std::optional<int> AddChosenType(const std::string& chooserResult);
    // Checks and applies the typed quantity of a row; true when it is acceptable and applied.
    bool ValidateDeviceQuantity(int row, const std::string& text, CheckMode mode);
    bool ValidateOtherQuantity(int row, const std::string& text, CheckMode mode);
    // A key typed into a quantity edit box: digits, Backspace and "." are taken (and make the
    // results out of date); anything else sounds the warning beep and is dropped.
    bool QuantityKey(char key);
    // Where Enter or Down (step 1) or Up (step -1) moves from a row of a table.
    QuantityMove MoveInDeviceTable(int row, int step) const;
    QuantityMove MoveInOtherTable(int row, int step, bool dinCheckBoxVisible) const;

    // --- Calculation type and cable
    std::int32_t SelectedCalcOption() const { return calcOption_; }
    // Choosing an option (by the user, or by the window while it fills itself).
    void ChooseCalcType(std::int32_t option);
    FieldStates Fields() const;
    // The cable size list: every offered cable in table order, then "User-Defined" (-1).
    const std::vector<CableListEntry>& CableEntries() const { return cableEntries_; }
    int SelectedCableEntry() const { return selectedCable_; }
    void SelectCableEntry(int index);

    // The field texts as the window shows them.
    const std::string& ImpedanceText() const { return impedanceText_; }
    const std::string& TotalLengthText() const { return totalText_; }
    const std::string& FirstLengthText() const { return firstText_; }
    const std::string& MaxOutputsText() const { return maxOutputsText_; }
    int SliderValue() const { return slider_; }

    // A key typed into a text field: digits and Backspace, and "." for the impedance; anything
    // else sounds the warning beep and is dropped.
    bool FieldKey(EditorControl field, char key);
    // The text of a field changed; `byUser` when the field has the focus (typing).
    void FieldTextChanged(EditorControl field, const std::string& text, bool byUser);
    // Where Enter moves on from a control.
    EditorControl EnterTarget(EditorControl from) const;

    // Leaving a field: checks and applies the text; false after a refusal (the text stays).
    bool LeaveImpedance(const std::string& text, CheckMode mode);
    bool LeaveTotalLength(const std::string& text, CheckMode mode);
    bool LeaveFirstLength(const std::string& text, CheckMode mode);
    bool LeaveMaxOutputs(const std::string& text, CheckMode mode);
    // The distribution slider moved; only a move made while it has the focus is acted on.
    void MoveSlider(int value, bool hasFocus);

    // --- DIN LEDs
    bool DinLedsTicked() const { return dinTicked_; }
    bool DinCheckBoxEnabled() const { return dinEnabled_; }
    void SetDinLedsDisabled(bool ticked);

    // --- Fixed labels
    std::string PermissibleAlarmCurrentText() const;  // "(max. permissible = 500 mA)"
    std::string LengthUnitCaption() const;            // "m" or "ft"
    std::string ImpedanceUnitCaption() const;         // "ohms/km/core" or "ohms/kft/core"
    std::string CopperNote() const;                   // "(copper at 20°C)" or "(copper at 68°F)"

    // --- Results
    ResultsView Results() const;
    // Keeps the results of this editor's loop as they are calculated.
    void ShowLoopResults(int loop, const LoopResults& results) override;
    // A typed value is waiting to be applied.
    void MarkResultsOutOfDate();

    // --- Closing
    OkOutcome PressOk();
    // Puts back the loop as it was when the editor was activated (every slot and setting, and
    // the carried values of its addresses); the design stays marked changed.
    void Cancel();

private:
    clsCalculator& Calc() const;
    LoopSlots Slots() const;
    void Recalculate();
    bool Refuse(const std::string& message, CheckMode mode) const;
    // When a left field changed nothing, the results shown are still those of the loop.
    void ShowResultsAgainIfOutOfDate();
    void FillTables();
    void FillDeviceRow(DeviceRow& row) const;
    void FillOtherRow(OtherRow& row) const;
    void RefillDeviceCurrents();
    void UpdateDinEnabled();
    void FillFields();
    void SetSliderFromLengths();
    int CableEntryForImpedance(std::int32_t impedance) const;
    bool LengthOutOfRange(const std::string& what, CheckMode mode) const;
    void ApplyCableRuns(std::int32_t total, std::int32_t first, EditorControl typed);

    int loop_;
    bool loading_ = false;
    bool activated_ = false;
    std::vector<DeviceRow> deviceRows_;
    std::vector<OtherRow> otherRows_;

    // The loop as it was on activation, for Cancel.
    std::unique_ptr<clsCalculator> backup_;
    std::array<std::int16_t, 256> backupCarried_{};
    std::array<bool, 256> backupEavesdrop_{};

    std::int32_t calcOption_ = kOptVoltDrop;
    std::vector<CableListEntry> cableEntries_;
    int selectedCable_ = -1;
    std::string impedanceText_;
    std::string totalText_;
    std::string firstText_;
    std::string maxOutputsText_;
    int slider_ = 0;
    bool dinTicked_ = false;
    bool dinEnabled_ = false;

    LoopResults results_;
    bool outOfDate_ = false;
    // Installed last, so that results arrive only once the editor is complete.
    ScopedInstall<LoopResultsView> installed_{*this};
};
