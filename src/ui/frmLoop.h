#pragma once
// The loop editor window: the device and other-device tables, the cable and calculation inputs,
// the results of the loop, OK and Cancel. Every rule lives in LoopEditorModel; this window shows
// the model's values, forwards the user's keys, clicks and focus changes to it, and re-reads it.
#include <QDialog>
#include <memory>

#include "document/LoopEditorModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSlider;
class QTableWidget;
class VoltageChartView;

class frmLoop : public QDialog {
    Q_OBJECT
public:
    frmLoop(int loop, QWidget* parent = nullptr);
    ~frmLoop() override;

    LoopEditorModel& Model() { return *model_; }

    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct QuantityTable;

    void BuildControls();
    void BuildLayout();
    void ConnectControls();
    void RestoreSize();
    void RememberSize();

    // Re-reads the model into the window.
    void Refresh();
    void RefreshTable(QuantityTable& table);
    void RefreshFields();
    // After a key: the fields and the results only, so that typing stays quick.
    void RefreshAfterTyping();
    void RefreshResults();

    // The quantity edit boxes over the tables.
    void EnterCell(QuantityTable& table, int row);
    void PlaceEditBox(QuantityTable& table);
    bool ValidateQuantity(QuantityTable& table, CheckMode mode);
    bool QuantityKeyPress(QuantityTable& table, int key, const QString& text);
    void MoveFromRow(QuantityTable& table, int step);
    void ReturnFocusTo(QLineEdit* field);

    // The text fields and the other controls.
    bool FieldKeyPress(QWidget* field, int key, const QString& text);
    bool LeaveField(QWidget* field, CheckMode mode);
    // A field or a quantity edit box has lost the focus: its value is checked and applied.
    void FocusLeft(QLineEdit* field, Qt::FocusReason reason);
    EditorControl ControlOf(const QWidget* widget) const;
    QWidget* WidgetOf(EditorControl control);
    CheckMode ModeTowards(const QWidget* receiver) const;
    // A click on a control whose focus change was refused: the focus is back in the field that
    // refused its value, and the click does nothing.
    bool FocusRefused(const QWidget* clicked) const;
    void AddRow();
    void PressOk();

    // Runs one of the user's actions; an unforeseen fault goes to the common error handler.
    template <typename Action>
    void Guarded(Action action);

    std::unique_ptr<LoopEditorModel> model_;
    bool shownOnce_ = false;
    bool updating_ = false;  // the window writes its controls: their change signals are ignored
    bool closing_ = false;   // OK or Cancel closes the window: nothing more is checked

    std::unique_ptr<QuantityTable> devices_;
    std::unique_ptr<QuantityTable> others_;
    QLabel* lblOther_ = nullptr;
    QLabel* lblDeviceNote_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QRadioButton* optVoltDrop_ = nullptr;
    QRadioButton* optCableRun_ = nullptr;
    QRadioButton* optCableSize_ = nullptr;
    QComboBox* cmbCableSize_ = nullptr;
    QLineEdit* txtCableImpedance_ = nullptr;
    QLabel* lblImpedanceUnit_ = nullptr;
    QLabel* lblCopper_ = nullptr;
    QLineEdit* txtFirstLength_ = nullptr;
    QLabel* lblFirstUnit_ = nullptr;
    QLineEdit* txtTotalLength_ = nullptr;
    QLabel* lblTotalUnit_ = nullptr;
    QLabel* lblLimitCableRun_ = nullptr;
    QSlider* sldDistribution_ = nullptr;
    QLineEdit* txtMaxOutputs_ = nullptr;
    QLabel* lblOutLimit_ = nullptr;
    QCheckBox* chkDisableDIN_ = nullptr;
    QLabel* lblQty_ = nullptr;
    QLabel* lblQuiescentDevices_ = nullptr;
    QLabel* lblAlarmDevices_ = nullptr;
    QLabel* lblQuiescentTotal_ = nullptr;
    QLabel* lblAlarmTotal_ = nullptr;
    QLabel* lblPanelLimitStar_ = nullptr;
    QLabel* lblPanelLimit_ = nullptr;
    QLabel* lblMaxAlarm_ = nullptr;
    QLineEdit* txtVoltDrop_ = nullptr;
    QLabel* lblMaxVoltDrop_ = nullptr;
    QLabel* lblPassFail_ = nullptr;
    QLabel* lblExplanation_ = nullptr;
    VoltageChartView* picVoltageChart_ = nullptr;
    QCheckBox* chkRemainingVoltage_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

// Opens the loop editor modally on loop 1 to 8; answers whether OK closed it.
bool ShowLoopEditor(QWidget* parent, int loop);
