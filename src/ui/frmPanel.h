#pragma once
// The control panel dialog: shows a standard panel locked, or a user-defined one for editing.
// Binds PanelEditorModel, which holds every rule.
#include <QDialog>
#include <array>

#include "app/PanelEditorModel.h"

class QLabel;
class QLineEdit;
class QPushButton;

class frmPanel : public QDialog {
    Q_OBJECT
public:
    // The panel number to show, or -1 for a new panel. Check Opened() before showing it.
    explicit frmPanel(int panelNum, QWidget* parent = nullptr);
    bool Opened() const { return opened_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* Field(PanelField field) const { return fields_[static_cast<std::size_t>(field)]; }
    void FocusOn(PanelField field);
    void OkClicked();

    PanelEditorModel model_;
    bool opened_ = false;
    std::array<QLineEdit*, kPanelFieldCount> fields_{};
    QLabel* lblNotes_;
    QPushButton* btnOK_;
    QPushButton* btnClose_;
};

enum class PanelEditorMode { Add, Edit, Delete };

// The File menu's user-defined panel commands: Add opens a new panel, Edit chooses one to open,
// Delete opens the chooser for deleting. True when the panel table changed; the caller then
// brings its user-defined panel menu entries up to date.
bool ShowPanelEditor(QWidget* parent, PanelEditorMode mode);
// Shows one panel (standard panels locked); true when it was stored.
bool ShowPanelDialog(QWidget* parent, int panelNum);
