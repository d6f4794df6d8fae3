#include "ui/frmPanel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "ui/frmDeletePanels.h"

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

frmPanel::frmPanel(int panelNum, QWidget* parent) : QDialog(parent), model_(panelNum) {
    setObjectName("frmPanel");
    setWindowTitle("Control Panel");
    opened_ = model_.Open();
    static const std::array<const char*, kPanelFieldCount> names = {
        "txtName",   "txtLoops",       "txtImpedance",    "txtLED",    "txtRemoteLED",
        "txtOutput", "txtLoopCurrent", "txtTotalCurrent", "txtVoltage"};
    static const std::array<const char*, kPanelFieldCount> captions = {
        "&Name:",
        "Number of &Loops:",
        "Loop Driver &Impedance (ohms):",
        "Maximum Number of LE&D's in alarm:",
        "Maximum Number of &Remote LED's in alarm:",
        "Maximum Number of &Outputs in alarm:",
        "Maximum Loop &Current (mA):",
        "&Total maximum Loop Current (mA):",
        "Minimum Loop Driver &Voltage (V):"};
    auto* form = new QFormLayout;
    auto* maker = new QLabel(Q(model_.ManufacturerText()));
    maker->setObjectName("txtManufacturer");
    maker->setAccessibleName("Manufacturer");
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        auto* edit = new QLineEdit(Q(model_.Text(static_cast<PanelField>(i))));
        edit->setObjectName(names[i]);
        edit->setAccessibleName(QString(captions[i]).remove('&').remove(':'));
        edit->setReadOnly(!model_.IsEditable());
        // Numbers are typed only: no pasting or dropping past the key filter.
        edit->setContextMenuPolicy(i == 0 ? Qt::DefaultContextMenu : Qt::NoContextMenu);
        edit->setAcceptDrops(i == 0);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, i](const QString& text) {
            model_.SetText(static_cast<PanelField>(i), text.toStdString());
        });
        auto* label = new QLabel(captions[i]);
        label->setBuddy(edit);
        form->addRow(label, edit);
        if (i == 0) form->addRow(new QLabel("Manufacturer:"), maker);
        fields_[i] = edit;
    }
    lblNotes_ = new QLabel(Q(model_.NotesText()));
    lblNotes_->setObjectName("lblNotes");
    btnOK_ = new QPushButton("OK");
    btnOK_->setObjectName("btnOK");
    btnOK_->setAccessibleName("OK");
    btnOK_->setVisible(model_.IsEditable());
    btnClose_ = new QPushButton(Q(model_.CloseCaption()));
    btnClose_->setObjectName("btnClose");
    btnClose_->setAccessibleName(Q(model_.CloseCaption()));
    // Enter moves between the fields; only a focused button is pressed by it.
    btnOK_->setAutoDefault(false);
    btnClose_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblNotes_);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(btnOK_, &QPushButton::clicked, this, &frmPanel::OkClicked);
    connect(btnClose_, &QPushButton::clicked, this, &QDialog::reject);
}

bool frmPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    const auto it = std::find(fields_.begin(), fields_.end(), watched);
    if (it == fields_.end()) return false;
    const auto field = static_cast<PanelField>(it - fields_.begin());
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        FocusOn(PanelEditorModel::NextField(field));
        return true;
    }
    // Only what types a character reaches the filter (Ctrl+V as well, so pasting is refused);
    // Tab, Escape, Delete and the cursor keys keep their usual work.
    const QString text = key->text();
    const bool typing =
        !text.isEmpty() && (text.at(0).isPrint() || key->key() == Qt::Key_Backspace ||
                            key->modifiers().testFlag(Qt::ControlModifier));
    if ((*it)->isReadOnly() || !typing) return false;
    const char32_t typed =
        key->key() == Qt::Key_Backspace ? kBackspaceKey : key->text().toUcs4().value(0);
    return !model_.AcceptsKey(field, typed);
}

void frmPanel::FocusOn(PanelField field) {
    if (field == PanelField::OK)
        (model_.IsEditable() ? btnOK_ : btnClose_)->setFocus();
    else
        Field(field)->setFocus();
}

void frmPanel::OkClicked() {
    const bool stored = model_.Accept();
    Field(PanelField::Name)->setText(Q(model_.Text(PanelField::Name)));
    if (stored) {
        accept();
        return;
    }
    Field(model_.FocusField())->setFocus();
    Field(model_.FocusField())->selectAll();
}

bool ShowPanelDialog(QWidget* parent, int panelNum) {
    frmPanel dialog(panelNum, parent);
    return dialog.Opened() && dialog.exec() == QDialog::Accepted;
}

bool ShowPanelEditor(QWidget* parent, PanelEditorMode mode) {
    if (mode == PanelEditorMode::Add) return ShowPanelDialog(parent, -1);
    frmDeletePanels chooser(mode == PanelEditorMode::Delete, parent);
    chooser.exec();
    if (mode == PanelEditorMode::Delete) return chooser.Deleted();
    return chooser.ChosenPanel() >= 0 && ShowPanelDialog(parent, chooser.ChosenPanel());
}
