#include "ui/frmLoop.h"

#include <array>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTableWidget>
#include <QVBoxLayout>

#include "shell/ErrorHandler.h"
#include "ui/FieldEdit.h"
#include "ui/VoltageChartView.h"
#include "ui/frmDeviceType.h"

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A caption's accessible form: the text without its access-key marks.
QString Plain(const QString& caption) {
    QString plain = caption;
    plain.replace("&&", QChar(0x1F));
    plain.remove('&');
    plain.replace(QChar(0x1F), '&');
    if (plain.endsWith(':')) plain.chop(1);
    return plain;
}

QLabel* NewLabel(const QString& caption, QWidget* parent, const char* name = nullptr) {
    auto* label = new QLabel(caption, parent);
    if (name) label->setObjectName(name);
    return label;
}

// A label that names the field it stands beside and moves the focus there by its access key.
QLabel* Caption(const QString& caption, QWidget* field, QWidget* parent) {
    QLabel* label = NewLabel(caption, parent);
    label->setBuddy(field);
    field->setAccessibleName(Plain(caption));
    return label;
}

// The label of a value the window shows, named for screen readers.
QLabel* ValueLabel(const char* name, const QString& accessibleName, QWidget* parent) {
    QLabel* label = NewLabel(QString(), parent, name);
    label->setAccessibleName(accessibleName);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

void SetTextIfChanged(QLineEdit* field, const std::string& text) {
    const QString value = Q(text);
    if (field->text() != value) field->setText(value);
}

// A typed character as the model's key rules see it; characters outside plain ASCII are never
// accepted, so they stand as one that is refused.
char KeyChar(QChar c) {
    return c.unicode() < 128 ? static_cast<char>(c.unicode()) : '?';
}

QWidget* NextFocusable(QWidget* from, bool forward) {
    QWidget* w = from;
    for (;;) {
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == from) return nullptr;
        if (from->isAncestorOf(w)) continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled()) return w;
    }
}

const char* const kDeviceHeaders[] = {"Device Type", "Quantity", "Quiescent", "Alarm"};
const char* const kOtherHeaders[] = {"Other Device", "Quantity", "Quiescent", "Alarm"};

}  // namespace

// One quantity table with its edit box; `row` is the edit box's tag, the row being edited
// (-1 while the box is hidden).
struct frmLoop::QuantityTable {
    QTableWidget* grid = nullptr;
    QLineEdit* edit = nullptr;
    int row = -1;
    bool devices = true;
};

template <typename Action>
void frmLoop::Guarded(Action action) {
    RunRetryingOnFault("frmLoop", [&] {
        action();
        return true;
    });
}

frmLoop::frmLoop(int loop, QWidget* parent)
    : QDialog(parent),
      model_(std::make_unique<LoopEditorModel>(loop)),
      devices_(std::make_unique<QuantityTable>()),
      others_(std::make_unique<QuantityTable>()) {
    setObjectName("frmLoop");
    setWindowTitle(Q(model_->Caption()));
    setSizeGripEnabled(true);
    BuildControls();
    BuildLayout();
    ConnectControls();
    RestoreSize();
}

frmLoop::~frmLoop() {
    // The controls go after this window's own part: the focus leaving one of them then must not
    // reach the handlers here.
    for (QObject* control : findChildren<QObject*>())
        disconnect(control, nullptr, this, nullptr);
}

void frmLoop::BuildControls() {
    auto makeTable = [this](QuantityTable& table, bool devices, const char* gridName,
                            const char* editName) {
        table.devices = devices;
        table.grid = new QTableWidget(0, 4, this);
        table.grid->setObjectName(gridName);
        table.grid->setAccessibleName(devices ? "Devices" : "Other Devices");
        QStringList headers;
        for (const char* header : devices ? kDeviceHeaders : kOtherHeaders)
            headers << header;
        table.grid->setHorizontalHeaderLabels(headers);
        table.grid->verticalHeader()->hide();
        table.grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        table.grid->setSelectionMode(QAbstractItemView::NoSelection);
        table.grid->setTabKeyNavigation(false);
        table.grid->setWordWrap(false);
        table.grid->verticalHeader()->setDefaultSectionSize(table.grid->fontMetrics().height() + 8);
        table.grid->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);

        table.grid->installEventFilter(this);
        table.edit = new FieldEdit(table.grid->viewport());
        table.edit->setObjectName(editName);
        table.edit->setFrame(false);
        table.edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table.edit->hide();
        table.edit->installEventFilter(this);
    };

    makeTable(*devices_, true, "grdDevices", "txtDevicesQty");
    devices_->grid->setMinimumSize(480, 180);
    lblDeviceNote_ =
        NewLabel(Q(LoopEditorModel::kDeviceTableNote), devices_->grid->viewport(), "lblDeviceNote");
    lblDeviceNote_->setAlignment(Qt::AlignCenter);
    devices_->grid->viewport()->installEventFilter(this);
    lblDeviceNote_->setWordWrap(true);
    btnAdd_ = new QPushButton("&Add Row...", this);
    btnAdd_->setObjectName("btnAdd");
    btnAdd_->setAccessibleName("Add Row...");
    makeTable(*others_, false, "grdOther", "txtOtherQty");
    others_->grid->setMinimumHeight(110);
    lblOther_ = NewLabel("Other Devices:", this, "lblOther");
    lblOther_->setBuddy(others_->grid);

    optVoltDrop_ = new QRadioButton("Max &Volt Drop", this);
    optVoltDrop_->setObjectName("optVoltDrop");
    optCableRun_ = new QRadioButton("Max Cable &Run", this);
    optCableRun_->setObjectName("optCableRun");
    optCableSize_ = new QRadioButton("Min Cable &Size", this);
    optCableSize_->setObjectName("optCableSize");
    for (QRadioButton* option : {optVoltDrop_, optCableRun_, optCableSize_})
        option->setAccessibleName(Plain(option->text()));

    cmbCableSize_ = new QComboBox(this);
    cmbCableSize_->setObjectName("cmbCableSize");
    cmbCableSize_->installEventFilter(this);
    txtCableImpedance_ = new FieldEdit(this);
    txtCableImpedance_->setObjectName("txtCableImpedance");
    lblImpedanceUnit_ = NewLabel(Q(model_->ImpedanceUnitCaption()), this, "lblImpedanceUnit");
    lblCopper_ = NewLabel(Q(model_->CopperNote()), this, "lblCopper");

    txtTotalLength_ = new FieldEdit(this);
    txtTotalLength_->setObjectName("txtTotalLength");
    lblTotalUnit_ = NewLabel(Q(model_->LengthUnitCaption()), this, "lblTotalUnit");
    lblLimitCableRun_ = NewLabel("(limit)", this, "lblLimitCableRun");
    sldDistribution_ = new QSlider(Qt::Horizontal, this);
    sldDistribution_->setObjectName("sldDistribution");
    sldDistribution_->setRange(0, 100);
    sldDistribution_->setTickPosition(QSlider::TicksBelow);
    sldDistribution_->setTickInterval(10);
    sldDistribution_->installEventFilter(this);
    txtFirstLength_ = new FieldEdit(this);
    txtFirstLength_->setObjectName("txtFirstLength");
    lblFirstUnit_ = NewLabel(Q(model_->LengthUnitCaption()), this, "lblFirstUnit");
    txtMaxOutputs_ = new FieldEdit(this);
    txtMaxOutputs_->setObjectName("txtMaxOutputs");
    lblOutLimit_ = NewLabel("*", this, "lblOutLimit");
    chkDisableDIN_ = new QCheckBox(this);
    chkDisableDIN_->setObjectName("chkDisableDIN");
    for (QLineEdit* field :
         {txtCableImpedance_, txtTotalLength_, txtFirstLength_, txtMaxOutputs_}) {
        field->setMaximumWidth(90);
        field->setAlignment(Qt::AlignRight);
        field->installEventFilter(this);
    }

    lblQty_ = ValueLabel("lblQty", "Quantity of devices", this);
    lblQuiescentDevices_ =
        ValueLabel("lblQuiescentDevices", "Quiescent current of the devices", this);
    lblAlarmDevices_ = ValueLabel("lblAlarmDevices", "Alarm current of the devices", this);
    lblQuiescentTotal_ = ValueLabel("lblQuiescentTotal", "Total quiescent current", this);
    lblAlarmTotal_ = ValueLabel("lblAlarmTotal", "Total alarm current", this);
    lblPanelLimitStar_ = NewLabel("*", this, "lblPanelLimitStar");
    lblPanelLimit_ = ValueLabel("lblPanelLimit", "Panel limit", this);
    lblMaxAlarm_ = NewLabel(Q(model_->PermissibleAlarmCurrentText()), this, "lblMaxAlarm");
    txtVoltDrop_ = new QLineEdit(this);
    txtVoltDrop_->setObjectName("txtVoltDrop");
    txtVoltDrop_->setReadOnly(true);
    txtVoltDrop_->setFocusPolicy(Qt::ClickFocus);
    txtVoltDrop_->setMaximumWidth(90);
    txtVoltDrop_->setAlignment(Qt::AlignRight);
    lblMaxVoltDrop_ = ValueLabel("lblMaxVoltDrop", "Permissible volt drop", this);
    lblPassFail_ = ValueLabel("lblPassFail", "Loop verdict", this);
    lblPassFail_->setTextInteractionFlags(Qt::NoTextInteraction);
    lblPassFail_->setAlignment(Qt::AlignCenter);
    lblPassFail_->setWordWrap(true);
    lblPassFail_->setMinimumHeight(60);
    lblPassFail_->setFrameShape(QFrame::StyledPanel);
    lblPassFail_->installEventFilter(this);
    lblExplanation_ = ValueLabel("lblExplanation", "Explanation", this);
    lblExplanation_->setWordWrap(true);
    lblExplanation_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblExplanation_->setMinimumHeight(48);
    picVoltageChart_ = new VoltageChartView(this);
    // The toggle changes only the chart: it takes no focus from a field being typed in, and its
    // access key reaches it from the keyboard.
    chkRemainingVoltage_ = new QCheckBox("Show remaining volta&ge", this);
    chkRemainingVoltage_->setObjectName("chkRemainingVoltage");
    chkRemainingVoltage_->setAccessibleName("Show remaining voltage");
    chkRemainingVoltage_->setFocusPolicy(Qt::NoFocus);

    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setAccessibleName("OK");
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");
    btnCancel_->setAccessibleName("Cancel");
    for (QPushButton* button : {btnAdd_, btnOK_, btnCancel_})
        button->setAutoDefault(false);
}

void frmLoop::BuildLayout() {
    auto* devicesBox = new QGroupBox("Addressable Devices", this);
    auto* devicesLayout = new QVBoxLayout(devicesBox);
    devicesLayout->addWidget(devices_->grid, 1);
    auto* addRow = new QHBoxLayout;
    addRow->addWidget(btnAdd_);
    addRow->addStretch();
    devicesLayout->addLayout(addRow);
    devicesLayout->addWidget(lblOther_);
    devicesLayout->addWidget(others_->grid);

    auto* calcBox = new QGroupBox("Calculation", this);
    auto* calcLayout = new QVBoxLayout(calcBox);
    for (QRadioButton* option : {optVoltDrop_, optCableRun_, optCableSize_})
        calcLayout->addWidget(option);
    calcLayout->addStretch();

    auto* cableBox = new QGroupBox("Cable", this);
    auto* cableLayout = new QGridLayout(cableBox);
    cableLayout->addWidget(Caption("Si&ze:", cmbCableSize_, this), 0, 0);
    cableLayout->addWidget(cmbCableSize_, 0, 1, 1, 2);
    cableLayout->addWidget(Caption("&Impedance:", txtCableImpedance_, this), 1, 0);
    cableLayout->addWidget(txtCableImpedance_, 1, 1);
    cableLayout->addWidget(lblImpedanceUnit_, 1, 2);
    cableLayout->addWidget(lblCopper_, 2, 1, 1, 2);
    cableLayout->setColumnStretch(2, 1);
    cableLayout->setRowStretch(3, 1);

    auto* topRight = new QHBoxLayout;
    topRight->addWidget(calcBox);
    topRight->addWidget(cableBox, 1);

    auto* runs = new QGridLayout;
    int line = 0;
    runs->addWidget(Caption("Total &cable run:", txtTotalLength_, this), line, 0);
    runs->addWidget(txtTotalLength_, line, 1);
    runs->addWidget(lblTotalUnit_, line, 2);
    runs->addWidget(lblLimitCableRun_, line++, 3);
    auto* note1 = NewLabel("(from panel, around loop and then back to panel)", this);
    auto* note2 = NewLabel("(largest of 2 values on each side of loop)", this);
    runs->addWidget(note1, line++, 0, 1, 5);
    runs->addWidget(note2, line++, 0, 1, 5);
    runs->addWidget(Caption("Device Distri&bution:", sldDistribution_, this), line, 0);
    runs->addWidget(sldDistribution_, line++, 1, 1, 4);
    auto* ends = new QHBoxLayout;
    ends->addWidget(NewLabel("Best-case (evenly along cable)", this, "lblBestCase"));
    ends->addStretch();
    ends->addWidget(NewLabel("Worst-case (all at one end of cable)", this, "lblWorstCase"));
    runs->addLayout(ends, line++, 1, 1, 4);
    runs->addWidget(Caption("Cable run between panel && &1st device:", txtFirstLength_, this), line,
                    0);
    runs->addWidget(txtFirstLength_, line, 1);
    runs->addWidget(lblFirstUnit_, line++, 2);
    runs->addWidget(Caption("&Limit quantity of activated outputs to:", txtMaxOutputs_, this), line,
                    0);
    runs->addWidget(txtMaxOutputs_, line, 1);
    runs->addWidget(lblOutLimit_, line++, 2);
    runs->addWidget(Caption("I&nterface LEDs disabled:", chkDisableDIN_, this), line, 0);
    runs->addWidget(chkDisableDIN_, line++, 1);
    runs->setColumnStretch(4, 1);
    for (QLabel* note : {note1, note2}) {
        QFont small = note->font();
        small.setPointSizeF(small.pointSizeF() * 0.9);
        note->setFont(small);
    }

    auto* rightColumn = new QVBoxLayout;
    rightColumn->addLayout(topRight);
    rightColumn->addLayout(runs);
    rightColumn->addStretch();

    auto* resultsBox = new QGroupBox("Results", this);
    auto* figures = new QGridLayout;
    figures->addWidget(NewLabel("Quiescent", this), 0, 1, Qt::AlignRight);
    figures->addWidget(NewLabel("Alarm", this), 0, 2, Qt::AlignRight);
    figures->addWidget(NewLabel("Devices:", this), 1, 0);
    figures->addWidget(lblQty_, 1, 1, Qt::AlignRight);
    figures->addWidget(NewLabel("Device currents:", this), 2, 0);
    figures->addWidget(lblQuiescentDevices_, 2, 1, Qt::AlignRight);
    figures->addWidget(lblAlarmDevices_, 2, 2, Qt::AlignRight);
    figures->addWidget(NewLabel("Loop totals:", this), 3, 0);
    figures->addWidget(lblQuiescentTotal_, 3, 1, Qt::AlignRight);
    figures->addWidget(lblAlarmTotal_, 3, 2, Qt::AlignRight);
    figures->addWidget(lblPanelLimitStar_, 3, 3);
    figures->addWidget(lblMaxAlarm_, 4, 1, 1, 3, Qt::AlignRight);
    figures->addWidget(lblPanelLimit_, 5, 0, 1, 4);
    auto* voltDrop = new QHBoxLayout;
    voltDrop->addWidget(Caption("Volt Drop:", txtVoltDrop_, this));
    voltDrop->addWidget(txtVoltDrop_);
    voltDrop->addWidget(lblMaxVoltDrop_);
    voltDrop->addStretch();
    figures->addLayout(voltDrop, 6, 0, 1, 4);
    figures->setColumnMinimumWidth(1, 80);
    figures->setColumnMinimumWidth(2, 80);
    auto* verdict = new QVBoxLayout;
    verdict->addWidget(lblPassFail_);
    verdict->addWidget(lblExplanation_, 1);
    auto* resultsLayout = new QHBoxLayout(resultsBox);
    resultsLayout->addLayout(figures);
    resultsLayout->addSpacing(12);
    resultsLayout->addLayout(verdict, 1);
    auto* chart = new QVBoxLayout;
    chart->addWidget(picVoltageChart_, 1);
    chart->addWidget(chkRemainingVoltage_);
    resultsLayout->addSpacing(12);
    resultsLayout->addLayout(chart, 1);

    auto* top = new QHBoxLayout;
    top->addWidget(devicesBox, 3);
    top->addLayout(rightColumn, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addWidget(resultsBox);
    layout->addLayout(buttons);
}

void frmLoop::ConnectControls() {
    connect(chkRemainingVoltage_, &QCheckBox::toggled, this, [this](bool remaining) {
        picVoltageChart_->ShowQuantity(remaining ? ChartQuantity::Remaining : ChartQuantity::Drop);
    });
    for (QuantityTable* table : {devices_.get(), others_.get()}) {
        connect(table->grid, &QTableWidget::cellClicked, this, [this, table](int row, int) {
            if (!FocusRefused(table->edit)) EnterCell(*table, row);
        });
        connect(table->grid->verticalScrollBar(), &QScrollBar::valueChanged, this,
                [this, table] { PlaceEditBox(*table); });
        connect(table->grid->horizontalHeader(), &QHeaderView::sectionResized, this,
                [this, table] { PlaceEditBox(*table); });
        // While the box is typed in, its text is copied into the cell.
        connect(table->edit, &QLineEdit::textEdited, this, [table](const QString& text) {
            if (QTableWidgetItem* cell = table->grid->item(table->row, 1)) cell->setText(text);
        });
    }
    for (QLineEdit* field : {devices_->edit, others_->edit, txtCableImpedance_, txtTotalLength_,
                             txtFirstLength_, txtMaxOutputs_})
        connect(static_cast<FieldEdit*>(field), &FieldEdit::focusLeft, this,
                [this, field](Qt::FocusReason reason) { FocusLeft(field, reason); });
    connect(btnAdd_, &QPushButton::clicked, this, [this] { AddRow(); });
    const std::pair<QRadioButton*, std::int32_t> options[] = {
        {optVoltDrop_, kOptVoltDrop}, {optCableRun_, kOptCableRun}, {optCableSize_, kOptCableSize}};
    for (const auto& [option, type] : options)
        connect(option, &QRadioButton::toggled, this, [this, type = type](bool checked) {
            if (updating_ || !checked) return;
            Guarded([&] { model_->ChooseCalcType(type); });
            Refresh();
        });
    connect(cmbCableSize_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (updating_ || index < 0) return;
        Guarded([&] { model_->SelectCableEntry(index); });
        Refresh();
    });
    for (QLineEdit* field : {txtCableImpedance_, txtTotalLength_, txtFirstLength_, txtMaxOutputs_})
        connect(field, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            model_->FieldTextChanged(ControlOf(field), text.toStdString(), field->hasFocus());
            RefreshAfterTyping();
        });
    connect(sldDistribution_, &QSlider::valueChanged, this, [this](int value) {
        if (updating_) return;
        Guarded([&] { model_->MoveSlider(value, sldDistribution_->hasFocus()); });
        Refresh();
    });
    connect(chkDisableDIN_, &QCheckBox::toggled, this, [this](bool ticked) {
        if (updating_) return;
        Guarded([&] { model_->SetDinLedsDisabled(ticked); });
        Refresh();
    });
    connect(btnOK_, &QPushButton::clicked, this, [this] { PressOk(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] { reject(); });
}

// --- Opening and closing

void frmLoop::RestoreSize() {
    const EditorWindowSize size = RememberedEditorSize();
    if (size.width > 0 && size.height > 0) resize(size.width, size.height);
    if (size.maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

void frmLoop::RememberSize() {
    const bool maximized = isMaximized();
    const QRect normal = maximized ? normalGeometry() : geometry();
    Guarded([&] { RememberEditorSize({normal.width(), normal.height(), maximized}); });
}

void frmLoop::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shownOnce_) return;
    shownOnce_ = true;
    Guarded([&] { model_->Activate(); });
    updating_ = true;
    for (const CableListEntry& entry : model_->CableEntries())
        cmbCableSize_->addItem(Q(entry.Text), entry.ItemData);
    updating_ = false;
    Refresh();
    // The figure columns are sized once to what they hold: measuring every row again after
    // each change would slow typing down on a long table.
    for (QuantityTable* table : {devices_.get(), others_.get()})
        for (int column = 1; column < 4; ++column) {
            table->grid->resizeColumnToContents(column);
            table->grid->setColumnWidth(column, table->grid->columnWidth(column) + 12);
        }
    if (!model_->DeviceRows().empty())
        EnterCell(*devices_, 0);
    else
        btnAdd_->setFocus();
}

void frmLoop::done(int result) {
    closing_ = true;
    RememberSize();
    QDialog::done(result);
}

void frmLoop::reject() {
    closing_ = true;
    Guarded([&] { model_->Cancel(); });
    QDialog::reject();
}

void frmLoop::PressOk() {
    if (focusWidget() != btnOK_) return;  // the focus change the click made was refused
    OkOutcome outcome = OkOutcome::Close;
    Guarded([&] { outcome = model_->PressOk(); });
    if (outcome == OkOutcome::Close) {
        accept();
        return;
    }
    txtTotalLength_->setFocus();
}

// --- Showing the model

void frmLoop::Refresh() {
    updating_ = true;
    RefreshTable(*devices_);
    RefreshTable(*others_);
    RefreshFields();
    RefreshResults();
    updating_ = false;
}

void frmLoop::RefreshAfterTyping() {
    updating_ = true;
    RefreshFields();
    RefreshResults();
    updating_ = false;
}

void frmLoop::RefreshTable(QuantityTable& table) {
    std::vector<std::array<std::string, 4>> rows;
    if (table.devices)
        for (const DeviceRow& row : model_->DeviceRows())
            rows.push_back({row.name, std::to_string(row.quantity), row.quiescent, row.alarm});
    else
        for (const OtherRow& row : model_->OtherRows())
            rows.push_back({row.name, std::to_string(row.quantity), row.quiescent, row.alarm});
    QTableWidget* grid = table.grid;
    grid->setRowCount(static_cast<int>(rows.size()));
    const char* const* headers = table.devices ? kDeviceHeaders : kOtherHeaders;
    for (int r = 0; r < grid->rowCount(); ++r) {
        const auto& texts = rows[static_cast<std::size_t>(r)];
        for (int column = 0; column < 4; ++column) {
            QTableWidgetItem* cell = grid->item(r, column);
            if (!cell) {
                cell = new QTableWidgetItem;
                cell->setFlags(Qt::ItemIsEnabled);
                if (column > 0) cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                grid->setItem(r, column, cell);
            }
            const QString text = Q(texts[static_cast<std::size_t>(column)]);
            // The cell under the edit box shows what is being typed.
            const bool typing = column == 1 && r == table.row && table.edit->isVisible();
            if (cell->text() != text && !typing) cell->setText(text);
            // Each cell names the row's device type, for screen readers.
            cell->setData(Qt::AccessibleTextRole,
                          column == 0 ? text : Q(texts[0]) + ", " + headers[column] + ": " + text);
        }
    }
    if (table.devices) {
        lblDeviceNote_->setVisible(rows.empty());
    } else {
        lblOther_->setVisible(!rows.empty());
        grid->setVisible(!rows.empty());
    }
}

void frmLoop::RefreshFields() {
    SetTextIfChanged(txtCableImpedance_, model_->ImpedanceText());
    SetTextIfChanged(txtTotalLength_, model_->TotalLengthText());
    SetTextIfChanged(txtFirstLength_, model_->FirstLengthText());
    SetTextIfChanged(txtMaxOutputs_, model_->MaxOutputsText());
    const std::int32_t option = model_->SelectedCalcOption();
    optVoltDrop_->setChecked(option == kOptVoltDrop);
    optCableRun_->setChecked(option == kOptCableRun);
    optCableSize_->setChecked(option == kOptCableSize);
    if (cmbCableSize_->currentIndex() != model_->SelectedCableEntry())
        cmbCableSize_->setCurrentIndex(model_->SelectedCableEntry());
    const FieldStates states = model_->Fields();
    txtTotalLength_->setEnabled(states.totalLength);
    cmbCableSize_->setEnabled(states.cableSize);
    txtCableImpedance_->setEnabled(states.impedance);
    if (!sldDistribution_->hasFocus()) sldDistribution_->setValue(model_->SliderValue());
    chkDisableDIN_->setChecked(model_->DinLedsTicked());
    chkDisableDIN_->setEnabled(model_->DinCheckBoxEnabled());
}

void frmLoop::RefreshResults() {
    const ResultsView view = model_->Results();
    const LoopResults& shown = view.shown;
    lblQty_->setText(Q(shown.deviceCount));
    lblQuiescentDevices_->setText(Q(shown.quiescentDevices));
    lblAlarmDevices_->setText(Q(shown.alarmDevices));
    lblQuiescentTotal_->setText(Q(shown.quiescentTotal));
    lblAlarmTotal_->setText(Q(shown.alarmTotal));
    lblPanelLimit_->setText(Q(shown.panelLimitNote));
    for (QLabel* label : {lblPanelLimit_, lblPanelLimitStar_, lblOutLimit_})
        label->setVisible(shown.panelLimitVisible);
    lblMaxVoltDrop_->setText(Q(shown.maxVoltDropNote));
    txtVoltDrop_->setText(Q(shown.voltDrop));
    lblLimitCableRun_->setVisible(shown.cableRunAtLimit);
    QFont verdictFont = font();
    verdictFont.setBold(view.passFailBold);
    verdictFont.setPointSize(view.passFailPointSize);
    lblPassFail_->setFont(verdictFont);
    lblPassFail_->setText(Q(shown.verdictLong));
    lblPassFail_->setCursor(view.outOfDate ? Qt::PointingHandCursor : Qt::ArrowCursor);
    lblExplanation_->setText(Q(shown.explanation));
    picVoltageChart_->ShowProfile(shown.profile);
}

// --- The quantity edit boxes

void frmLoop::PlaceEditBox(QuantityTable& table) {
    if (table.row < 0) return;
    const QRect cell = table.grid->visualRect(table.grid->model()->index(table.row, 1));
    table.edit->setGeometry(cell);
}

void frmLoop::EnterCell(QuantityTable& table, int row) {
    if (row < 0 || row >= table.grid->rowCount()) return;
    if (table.row >= 0 && table.edit->isVisible() && !ValidateQuantity(table, CheckMode::Silent)) {
        ReturnFocusTo(table.edit);
        return;
    }
    table.row = row;
    table.grid->setCurrentCell(row, 1);
    table.grid->scrollToItem(table.grid->item(row, 1));
    PlaceEditBox(table);
    table.edit->setText(table.grid->item(row, 1)->text());
    table.edit->setAccessibleName(table.grid->item(row, 0)->text() + " quantity");
    table.edit->show();
    table.edit->setFocus();
    table.edit->selectAll();
}

bool frmLoop::ValidateQuantity(QuantityTable& table, CheckMode mode) {
    if (table.row < 0) return true;
    const std::string text = table.edit->text().toStdString();
    bool ok = true;
    Guarded([&] {
        ok = table.devices ? model_->ValidateDeviceQuantity(table.row, text, mode)
                           : model_->ValidateOtherQuantity(table.row, text, mode);
    });
    Refresh();
    if (!ok) {
        if (mode == CheckMode::Leaving) ReturnFocusTo(table.edit);
        return false;
    }
    // The quantity as applied ("12.6" places 13) replaces what was typed, in the cell and the box.
    const QString applied = QString::number(
        table.devices ? model_->DeviceRows().at(static_cast<std::size_t>(table.row)).quantity
                      : model_->OtherRows().at(static_cast<std::size_t>(table.row)).quantity);
    table.grid->item(table.row, 1)->setText(applied);
    if (table.edit->text() != applied) table.edit->setText(applied);
    return true;
}

void frmLoop::ReturnFocusTo(QLineEdit* field) {
    for (QuantityTable* table : {devices_.get(), others_.get()})
        if (field == table->edit) {
            table->grid->setCurrentCell(table->row, 1);
            PlaceEditBox(*table);
            field->show();
        }
    field->setFocus();
    field->selectAll();
}

void frmLoop::MoveFromRow(QuantityTable& table, int step) {
    if (!ValidateQuantity(table, CheckMode::Leaving)) return;
    const bool dinVisible = chkDisableDIN_->isVisible() && chkDisableDIN_->isEnabled();
    const QuantityMove move = table.devices ? model_->MoveInDeviceTable(table.row, step)
                                            : model_->MoveInOtherTable(table.row, step, dinVisible);
    if (move.row) {
        EnterCell(table, *move.row);
        return;
    }
    if (QWidget* target = WidgetOf(move.control)) target->setFocus(Qt::TabFocusReason);
}

bool frmLoop::QuantityKeyPress(QuantityTable& table, int key, const QString& text) {
    switch (key) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Down:
            MoveFromRow(table, 1);
            return true;
        case Qt::Key_Up:
            MoveFromRow(table, -1);
            return true;
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            if (QWidget* next = NextFocusable(table.grid, key == Qt::Key_Tab))
                next->setFocus(key == Qt::Key_Tab ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        case Qt::Key_Backspace:
            model_->QuantityKey('\b');
            RefreshAfterTyping();
            return false;
        default:
            break;
    }
    if (text.isEmpty() || !text.at(0).isPrint()) return false;
    const bool taken = model_->QuantityKey(KeyChar(text.at(0)));
    RefreshAfterTyping();
    return !taken;
}

// --- The text fields

EditorControl frmLoop::ControlOf(const QWidget* widget) const {
    if (widget == txtCableImpedance_) return EditorControl::Impedance;
    if (widget == txtTotalLength_) return EditorControl::TotalLength;
    if (widget == txtFirstLength_) return EditorControl::FirstLength;
    if (widget == txtMaxOutputs_) return EditorControl::MaxOutputs;
    if (widget == cmbCableSize_) return EditorControl::CableSize;
    if (widget == sldDistribution_) return EditorControl::Slider;
    if (widget == btnOK_) return EditorControl::OkButton;
    return EditorControl::CancelButton;
}

QWidget* frmLoop::WidgetOf(EditorControl control) {
    switch (control) {
        case EditorControl::DeviceTable:
            return devices_->grid;
        case EditorControl::OtherTable:
            return others_->grid;
        case EditorControl::AddButton:
            return btnAdd_;
        case EditorControl::MaxOutputs:
            return txtMaxOutputs_;
        case EditorControl::CalcOption:
            return optCableRun_->isChecked()    ? optCableRun_
                   : optCableSize_->isChecked() ? optCableSize_
                                                : optVoltDrop_;
        case EditorControl::DinCheckBox:
            return chkDisableDIN_;
        case EditorControl::CableSize:
            return cmbCableSize_;
        case EditorControl::Impedance:
            return txtCableImpedance_;
        case EditorControl::TotalLength:
            return txtTotalLength_;
        case EditorControl::FirstLength:
            return txtFirstLength_;
        case EditorControl::Slider:
            return sldDistribution_;
        case EditorControl::OkButton:
            return btnOK_;
        case EditorControl::CancelButton:
            return btnCancel_;
    }
    return nullptr;
}

bool frmLoop::FieldKeyPress(QWidget* field, int key, const QString& text) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        const EditorControl target = model_->EnterTarget(ControlOf(field));
        if (target == EditorControl::OtherTable)
            EnterCell(*others_, 0);
        else if (QWidget* widget = WidgetOf(target))
            widget->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (field == cmbCableSize_ || field == sldDistribution_) return false;
    char c = 0;
    if (key == Qt::Key_Backspace)
        c = '\b';
    else if (!text.isEmpty() && text.at(0).isPrint())
        c = KeyChar(text.at(0));
    else
        return false;
    return !model_->FieldKey(ControlOf(field), c);
}

bool frmLoop::LeaveField(QWidget* widget, CheckMode mode) {
    auto* field = static_cast<QLineEdit*>(widget);
    const std::string text = field->text().toStdString();
    bool ok = true;
    Guarded([&] {
        switch (ControlOf(field)) {
            case EditorControl::Impedance:
                ok = model_->LeaveImpedance(text, mode);
                break;
            case EditorControl::TotalLength:
                ok = model_->LeaveTotalLength(text, mode);
                break;
            case EditorControl::FirstLength:
                ok = model_->LeaveFirstLength(text, mode);
                break;
            default:
                ok = model_->LeaveMaxOutputs(text, mode);
                break;
        }
    });
    Refresh();
    if (!ok) ReturnFocusTo(field);
    return ok;
}

CheckMode frmLoop::ModeTowards(const QWidget* receiver) const {
    return receiver == btnCancel_ ? CheckMode::TowardsCancel : CheckMode::Leaving;
}

bool frmLoop::FocusRefused(const QWidget* clicked) const {
    const QWidget* focus = focusWidget();
    return focus != clicked && qobject_cast<const FieldEdit*>(focus) != nullptr;
}

void frmLoop::AddRow() {
    if (FocusRefused(btnAdd_)) return;
    const std::string chosen = ChooseDeviceType(this);
    std::optional<int> row;
    Guarded([&] { row = model_->AddChosenType(chosen); });
    if (!row) return;
    Refresh();
    EnterCell(*devices_, *row);
}

// --- Events

void frmLoop::FocusLeft(QLineEdit* field, Qt::FocusReason reason) {
    // A message box or another window taking the focus is no move within this window.
    if (closing_ || reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason) return;
    const CheckMode mode = ModeTowards(QApplication::focusWidget());
    QuantityTable* table = field == devices_->edit  ? devices_.get()
                           : field == others_->edit ? others_.get()
                                                    : nullptr;
    if (!table) {
        LeaveField(field, mode);
        return;
    }
    // Accepted: the table shows the quantity and the edit box goes.
    if (ValidateQuantity(*table, mode) && QApplication::focusWidget() != table->edit) {
        table->edit->hide();
        table->row = -1;
    }
}

bool frmLoop::eventFilter(QObject* watched, QEvent* event) {
    QuantityTable* table = watched == devices_->edit  ? devices_.get()
                           : watched == others_->edit ? others_.get()
                                                      : nullptr;
    const bool isField = watched == txtCableImpedance_ || watched == txtTotalLength_ ||
                         watched == txtFirstLength_ || watched == txtMaxOutputs_;
    switch (event->type()) {
        case QEvent::KeyPress: {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) break;
            if (table) return QuantityKeyPress(*table, key->key(), key->text());
            if (isField || watched == cmbCableSize_ || watched == sldDistribution_)
                return FieldKeyPress(static_cast<QWidget*>(watched), key->key(), key->text());
            break;
        }
        case QEvent::FocusIn: {
            const auto reason = static_cast<QFocusEvent*>(event)->reason();
            for (QuantityTable* t : {devices_.get(), others_.get()})
                if (watched == t->grid &&
                    (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                     reason == Qt::ShortcutFocusReason) &&
                    t->grid->rowCount() > 0)
                    EnterCell(*t, std::max(0, t->grid->currentRow()));
            break;
        }
        case QEvent::MouseButtonRelease:
            // The stale-results display asks for a click: the focus moves to OK without
            // pressing it, so the field being edited applies its value.
            if (watched == lblPassFail_ && model_->Results().outOfDate) btnOK_->setFocus();
            break;
        case QEvent::Resize:
            // The note fills the empty device table, behind its rows.
            if (watched == devices_->grid->viewport())
                lblDeviceNote_->setGeometry(
                    devices_->grid->viewport()->rect().adjusted(8, 8, -8, -8));
            break;
        default:
            break;
    }
    return QDialog::eventFilter(watched, event);
}

bool ShowLoopEditor(QWidget* parent, int loop) {
    frmLoop editor(loop, parent);
    return editor.exec() == QDialog::Accepted;
}
