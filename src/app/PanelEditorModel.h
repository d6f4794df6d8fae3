#pragma once
// The control panel dialog without its window: shows one panel's parameters and, for a
// user-defined panel, checks what the user typed and stores it in CUSTPAN.DAT.
#include <array>
#include <cstdint>
#include <string>

#include "catalogue/Panels.h"

// The fields in the order Enter walks them; Enter on the last field moves to OK.
enum class PanelField {
    Name,
    Loops,
    Impedance,
    LEDs,
    RemoteLEDs,
    Outputs,
    LoopCurrent,
    TotalCurrent,
    Voltage,
    OK,
};
inline constexpr int kPanelFieldCount = 9;  // the text fields, Name to Voltage

// The key that is not a character: the backspace the numeric fields accept.
inline constexpr char32_t kBackspaceKey = 8;

class PanelEditorModel {
public:
    // The name a new panel starts with; a panel may not keep it.
    static constexpr const char* kUnchosenName = "Choose a unique name";

    // The panel number to show, or -1 for a new panel.
    explicit PanelEditorModel(int panelNum);

    // Fills the working record and the field texts. A new panel starts as a copy of "Unknown
    // Panel" with the unchosen name, owned by the user-defined manufacturer. A number that is
    // not a live panel of the table shows "Internal error: invalid control panel" and returns
    // false: the dialog closes.
    bool Open();

    bool IsEditable() const { return !working_.IsStandardPanel; }
    std::string NotesText() const;
    // "Close" for a standard panel, which has no OK; "Cancel" for a user-defined one.
    std::string CloseCaption() const;
    std::string ManufacturerText() const;

    const std::string& Text(PanelField field) const;
    void SetText(PanelField field, std::string text);

    // The key filter of the numeric fields: digits and backspace, and "." in the impedance and
    // voltage fields. A refused key sounds the exclamation beep and returns false. The name
    // takes any key.
    bool AcceptsKey(PanelField field, char32_t key) const;
    // Where Enter moves the focus from a field.
    static PanelField NextField(PanelField field);

    // OK: checks the fields in order; the first failure shows its message (or the declined
    // question), sets FocusField and returns false with nothing stored. When all pass the panel
    // is stored (a new one added, an existing one updated; the one in use only after the
    // panel-change check) and true is returned: the dialog closes.
    bool Accept();
    PanelField FocusField() const { return focus_; }

    const ControlPanel& Working() const { return working_; }
    // The panel's number in the table: -1 until a new panel is stored.
    int PanelNum() const { return panelNum_; }

private:
    bool Refuse(PanelField field, const std::string& message);
    bool Declined(PanelField field, const std::string& question);
    bool CheckFields();
    bool Store();
    bool StorePanelInUse();

    int panelNum_;
    ControlPanel working_;
    std::array<std::string, kPanelFieldCount> texts_;
    PanelField focus_ = PanelField::Name;
};

// Tells the main window that the panel table changed: its panel list is filled again and the
// chosen panel applied.
void RefillMainPanelList();
