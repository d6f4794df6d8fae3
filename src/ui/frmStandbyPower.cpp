#include "ui/frmStandbyPower.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <functional>

#include "catalogue/Batteries.h"

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString Plain(QString caption) {
    return caption.remove('&').remove(':');
}

const QColor kWrongValue(176, 0, 0);

// The battery list of the program's data, read on first use.
std::optional<std::vector<Amount>> CatalogueBatteryList() {
    if (!LoadBatteryCatalogue()) return std::nullopt;
    return BatterySizes();
}

// Tells each keystroke typed into a cell of the table, so that the result follows the typing
// rather than waiting for the cell to be left.
class TypedCellDelegate : public QStyledItemDelegate {
public:
    using Typed = std::function<void(int row, int column, const QString& text)>;
    TypedCellDelegate(Typed typed, QObject* parent)
        : QStyledItemDelegate(parent), typed_(std::move(typed)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) {
            const QPersistentModelIndex cell(index);
            connect(line, &QLineEdit::textEdited, line, [this, cell](const QString& text) {
                if (cell.isValid()) typed_(cell.row(), cell.column(), text);
            });
        }
        return editor;
    }

private:
    Typed typed_;
};

}  // namespace

frmStandbyPower::frmStandbyPower(QWidget* parent)
    : frmStandbyPower(BatteryListSource(CatalogueBatteryList), parent) {}

frmStandbyPower::frmStandbyPower(const BatteryListSource& batteries, QWidget* parent)
    : QDialog(parent), model_(batteries) {
    setObjectName("frmStandbyPower");
    setWindowTitle("Standby Power");
    auto* inputs = new QVBoxLayout;
    inputs->addLayout(BuildInputs());
    inputs->addLayout(BuildLoads(), 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(inputs, 1);
    columns->addLayout(BuildResults(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(BuildButtons());

    QWidget* previous = cmbStandard_;
    for (QWidget* next : std::initializer_list<QWidget*>{
             chkVoice_, fields_[0], fields_[1], fields_[2], fields_[3], grdLoads_, btnAddLoad_,
             btnRemoveLoad_, txtWorking_, btnOK_, btnCancel_}) {
        setTabOrder(previous, next);
        previous = next;
    }
    FillTable();
    ShowResult();
}

QLayout* frmStandbyPower::BuildInputs() {
    auto* form = new QGridLayout;
    int line = 0;
    const auto addRow = [&](const QString& caption, QWidget* control, QWidget* beside = nullptr) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(control);
        control->setAccessibleName(Plain(caption));
        form->addWidget(label, line, 0);
        form->addWidget(control, line, 1);
        if (beside) form->addWidget(beside, line, 2);
        ++line;
    };

    cmbStandard_ = new QComboBox(this);
    cmbStandard_->setObjectName("cmbStandard");
    for (const BatteryStandard standard : StandbyPowerModel::kStandards)
        cmbStandard_->addItem(Q(StandardName(standard)), static_cast<int>(standard));
    chkVoice_ = new QCheckBox("&Voice system", this);
    chkVoice_->setObjectName("chkVoice");
    chkVoice_->setAccessibleName("Voice system");
    chkVoice_->setToolTip("An NFPA 72 emergency voice communication system: 15 minutes of alarm.");
    addRow("&Standard:", cmbStandard_, chkVoice_);

    static const std::array<const char*, kStandbyFieldCount> names = {
        "txtStandbyHours", "txtAlarmMinutes", "txtPanelQuiescent", "txtPanelAlarm"};
    static const std::array<const char*, kStandbyFieldCount> captions = {
        "Standby period (&hours):", "Alarm period (&minutes):", "Panel &quiescent current (mA):",
        "Panel a&larm current (mA):"};
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const auto field = static_cast<StandbyField>(i);
        auto* edit = new QLineEdit(Q(model_.Text(field)), this);
        edit->setObjectName(names[i]);
        edit->setMaximumWidth(120);
        connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
            model_.SetText(field, text.toStdString());
            ShowResult();
        });
        fields_[i] = edit;
        addRow(captions[i], edit);
    }
    lblPanelNote_ = new QLabel(Q(StandbyPowerModel::kPanelCurrentsNote), this);
    lblPanelNote_->setObjectName("lblPanelNote");
    lblPanelNote_->setWordWrap(true);
    form->addWidget(lblPanelNote_, line++, 0, 1, 3);
    lblLoopTotals_ = new QLabel(Q(model_.LoopTotalsText()), this);
    lblLoopTotals_->setObjectName("lblLoopTotals");
    lblLoopTotals_->setAccessibleName("Loops (as calculated)");
    form->addWidget(new QLabel("Loops (as calculated):", this), line, 0);
    form->addWidget(lblLoopTotals_, line++, 1, 1, 2);
    form->setColumnStretch(2, 1);

    cmbStandard_->setCurrentIndex(cmbStandard_->findData(static_cast<int>(model_.Standard())));
    connect(cmbStandard_, &QComboBox::activated, this, [this](int index) {
        model_.ChooseStandard(static_cast<BatteryStandard>(cmbStandard_->itemData(index).toInt()));
        Field(StandbyField::AlarmMinutes)->setText(Q(model_.Text(StandbyField::AlarmMinutes)));
        ShowResult();
    });
    connect(chkVoice_, &QCheckBox::clicked, this, [this](bool ticked) {
        model_.SetVoiceSystem(ticked);
        Field(StandbyField::AlarmMinutes)->setText(Q(model_.Text(StandbyField::AlarmMinutes)));
        ShowResult();
    });
    return form;
}

QLayout* frmStandbyPower::BuildLoads() {
    grdLoads_ = new QTableWidget(0, kLoadColumnCount, this);
    grdLoads_->setObjectName("grdLoads");
    grdLoads_->setHorizontalHeaderLabels(
        {"Name", "Quantity", "Quiescent\n(mA each)", "Alarm\n(mA each)"});
    grdLoads_->verticalHeader()->hide();
    grdLoads_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    grdLoads_->setSelectionMode(QAbstractItemView::SingleSelection);
    grdLoads_->setEditTriggers(QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    // Tab leaves the table; the arrow keys move between its cells.
    grdLoads_->setTabKeyNavigation(false);
    grdLoads_->setMinimumHeight(130);
    const auto typed = [this](int row, int column, const QString& text) {
        model_.SetLoadCell(row, static_cast<LoadColumn>(column), text.toStdString());
        ShowResult();
    };
    auto* delegate = new TypedCellDelegate(typed, grdLoads_);
    grdLoads_->setItemDelegate(delegate);
    connect(grdLoads_, &QTableWidget::itemChanged, this,
            [typed](QTableWidgetItem* item) { typed(item->row(), item->column(), item->text()); });
    // Escape closes a cell's editor without keeping what was typed: the cell's own text stands
    // again.
    connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this, typed] {
        if (QTableWidgetItem* item = grdLoads_->currentItem())
            typed(item->row(), item->column(), item->text());
    });
    auto* lblLoads = new QLabel("&Other loads on the battery:", this);
    lblLoads->setBuddy(grdLoads_);
    grdLoads_->setAccessibleName(Plain(lblLoads->text()));

    btnAddLoad_ = new QPushButton("&Add Load", this);
    btnAddLoad_->setObjectName("btnAddLoad");
    btnRemoveLoad_ = new QPushButton("&Remove Load", this);
    btnRemoveLoad_->setObjectName("btnRemoveLoad");
    for (QPushButton* b : {btnAddLoad_, btnRemoveLoad_}) {
        b->setAccessibleName(Plain(b->text()));
        b->setAutoDefault(false);
    }
    connect(btnAddLoad_, &QPushButton::clicked, this, &frmStandbyPower::AddLoadClicked);
    connect(btnRemoveLoad_, &QPushButton::clicked, this, &frmStandbyPower::RemoveLoadClicked);
    auto* loadButtons = new QHBoxLayout;
    loadButtons->addWidget(btnAddLoad_);
    loadButtons->addWidget(btnRemoveLoad_);
    loadButtons->addStretch();

    auto* layout = new QVBoxLayout;
    layout->addWidget(lblLoads);
    layout->addWidget(grdLoads_, 1);
    layout->addLayout(loadButtons);
    lblProblem_ = new QLabel(this);
    lblProblem_->setObjectName("lblProblem");
    lblProblem_->setAccessibleName("Wrong value");
    lblProblem_->setWordWrap(true);
    QPalette wrong = lblProblem_->palette();
    wrong.setColor(QPalette::WindowText, kWrongValue);
    lblProblem_->setPalette(wrong);
    layout->addWidget(lblProblem_);
    return layout;
}

QLayout* frmStandbyPower::BuildResults() {
    txtWorking_ = new QPlainTextEdit(this);
    txtWorking_->setObjectName("txtWorking");
    txtWorking_->setReadOnly(true);
    txtWorking_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    txtWorking_->setMinimumSize(520, 200);
    auto* lblWorking = new QLabel("&Working:", this);
    lblWorking->setBuddy(txtWorking_);
    txtWorking_->setAccessibleName("Working");

    lblRecommended_ = new QLabel(this);
    lblRecommended_->setObjectName("lblRecommended");
    lblRecommended_->setAccessibleName("Recommended battery");
    lblRecommended_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont bold = lblRecommended_->font();
    bold.setBold(true);
    lblRecommended_->setFont(bold);
    auto* layout = new QVBoxLayout;
    layout->addWidget(lblWorking);
    layout->addWidget(txtWorking_, 1);
    layout->addWidget(lblRecommended_);
    return layout;
}

QWidget* frmStandbyPower::BuildButtons() {
    auto* buttons = new QDialogButtonBox(this);
    btnOK_ = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    btnOK_->setObjectName("btnOK");
    btnOK_->setAccessibleName("OK");
    // Enter stores the inputs, as in the options dialog; Escape is Cancel.
    btnOK_->setDefault(true);
    btnCancel_ = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    btnCancel_->setObjectName("btnCancel");
    btnCancel_->setAccessibleName("Cancel");
    connect(btnOK_, &QPushButton::clicked, this, &frmStandbyPower::OkClicked);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    return buttons;
}

void frmStandbyPower::FillTable() {
    const QSignalBlocker quiet(grdLoads_);
    const std::vector<OtherLoadRow>& loads = model_.Loads();
    grdLoads_->setRowCount(static_cast<int>(loads.size()));
    for (int row = 0; row < grdLoads_->rowCount(); ++row)
        for (int column = 0; column < kLoadColumnCount; ++column) {
            auto* item = new QTableWidgetItem(Q(StandbyPowerModel::CellText(
                loads[static_cast<std::size_t>(row)], static_cast<LoadColumn>(column))));
            if (column > 0) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            grdLoads_->setItem(row, column, item);
        }
}

void frmStandbyPower::ShowResult() {
    chkVoice_->setEnabled(model_.VoiceChoiceEnabled());
    chkVoice_->setChecked(model_.VoiceSystem());
    lblPanelNote_->setVisible(model_.PanelCurrentsNoteVisible());
    btnAddLoad_->setEnabled(model_.CanAddLoad());
    btnRemoveLoad_->setEnabled(!model_.Loads().empty());

    const std::optional<StandbyProblem>& problem = model_.Problem();
    lblProblem_->setText(problem ? Q(problem->message) +
                                       " The result shown is for the last values that could be "
                                       "calculated."
                                 : QString());
    lblProblem_->setVisible(problem.has_value());
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        QPalette palette = fields_[i]->palette();
        const bool wrong = problem && problem->field == static_cast<StandbyField>(i);
        palette.setColor(QPalette::Text, wrong ? kWrongValue : QPalette().color(QPalette::Text));
        fields_[i]->setPalette(palette);
    }
    {
        const QSignalBlocker quiet(grdLoads_);
        for (int row = 0; row < grdLoads_->rowCount(); ++row)
            for (int column = 0; column < kLoadColumnCount; ++column) {
                const bool wrong = problem && !problem->field && problem->row == row &&
                                   static_cast<int>(problem->column) == column;
                if (QTableWidgetItem* item = grdLoads_->item(row, column))
                    item->setForeground(wrong ? QBrush(kWrongValue) : QBrush());
            }
    }

    txtWorking_->setPlainText(Q(model_.WorkingText()));
    lblRecommended_->setText(Q(model_.RecommendationText()));
}

void frmStandbyPower::AddLoadClicked() {
    const std::optional<int> row = model_.AddLoad();
    FillTable();
    ShowResult();
    if (!row) return;
    grdLoads_->setFocus();
    grdLoads_->setCurrentCell(*row, 0);
    grdLoads_->editItem(grdLoads_->item(*row, 0));
}

void frmStandbyPower::RemoveLoadClicked() {
    const int row =
        grdLoads_->currentRow() >= 0 ? grdLoads_->currentRow() : grdLoads_->rowCount() - 1;
    model_.RemoveLoad(row);
    FillTable();
    ShowResult();
    if (grdLoads_->rowCount() > 0) {
        grdLoads_->setCurrentCell(std::min(row, grdLoads_->rowCount() - 1), 0);
        grdLoads_->setFocus();
    } else {
        btnAddLoad_->setFocus();
    }
}

void frmStandbyPower::OkClicked() {
    if (model_.Accept()) {
        accept();
        return;
    }
    GoToProblem();
}

void frmStandbyPower::GoToProblem() {
    const std::optional<StandbyProblem>& problem = model_.Problem();
    if (!problem) return;
    if (problem->field) {
        Field(*problem->field)->setFocus();
        Field(*problem->field)->selectAll();
        return;
    }
    grdLoads_->setFocus();
    grdLoads_->setCurrentCell(problem->row, static_cast<int>(problem->column));
}

bool ShowStandbyPowerDialog(QWidget* parent) {
    frmStandbyPower dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}
