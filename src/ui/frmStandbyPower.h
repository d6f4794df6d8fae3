#pragma once
// The standby power window: the standard, the periods, the panel's own currents and the other
// loads on the battery, with the required battery and its working shown as the user types.
// Binds StandbyPowerModel, which holds every rule.
#include <QDialog>
#include <array>

#include "app/StandbyPowerModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTableWidget;

class frmStandbyPower : public QDialog {
    Q_OBJECT
public:
    // The window on the design's inputs with the program's battery list.
    explicit frmStandbyPower(QWidget* parent = nullptr);
    // The same with another battery list.
    frmStandbyPower(const BatteryListSource& batteries, QWidget* parent);

    const StandbyPowerModel& Model() const { return model_; }

private:
    QLayout* BuildInputs();
    QLayout* BuildLoads();
    QLayout* BuildResults();
    QWidget* BuildButtons();
    QLineEdit* Field(StandbyField field) const { return fields_[static_cast<std::size_t>(field)]; }
    void FillTable();
    // Shows everything the model works out: the voice choice, the notes, the wrong value, the
    // working and the battery.
    void ShowResult();
    void AddLoadClicked();
    void RemoveLoadClicked();
    void OkClicked();
    void GoToProblem();

    StandbyPowerModel model_;
    QComboBox* cmbStandard_ = nullptr;
    QCheckBox* chkVoice_ = nullptr;
    std::array<QLineEdit*, kStandbyFieldCount> fields_{};
    QLabel* lblLoopTotals_ = nullptr;
    QLabel* lblPanelNote_ = nullptr;
    QTableWidget* grdLoads_ = nullptr;
    QPushButton* btnAddLoad_ = nullptr;
    QPushButton* btnRemoveLoad_ = nullptr;
    QLabel* lblProblem_ = nullptr;
    QPlainTextEdit* txtWorking_ = nullptr;
    QLabel* lblRecommended_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

// The Tools menu's standby power command: opens the window modally; true when OK stored the
// inputs.
bool ShowStandbyPowerDialog(QWidget* parent);
