#include "ui/frmOptions.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QVBoxLayout>
#include <tuple>
#include <utility>

#include "engine/Scaling.h"

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString Plain(QString caption) {
    return caption.remove('&');
}

QListWidget* NewList(const QString& name, const QString& accessibleName) {
    auto* list = new QListWidget;
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    list->setSelectionMode(QAbstractItemView::MultiSelection);
    return list;
}

// A tab page: its note, then the controls.
QWidget* NewPage(QTabWidget* tabs, const QString& caption, int index, const QString& note) {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* notes = new QLabel(note);
    notes->setObjectName(QString("lblTabNotes%1").arg(index));
    notes->setWordWrap(true);
    layout->addWidget(notes);
    tabs->addTab(page, caption);
    return page;
}

// A tab page with its note, a list named after the page and the list's count label.
std::pair<QListWidget*, QLabel*> NewCountedListPage(QTabWidget* tabs, const QString& caption,
                                                    int index, const QString& note,
                                                    const char* listName, const char* countName) {
    QWidget* page = NewPage(tabs, caption, index, note);
    auto* list = NewList(listName, Plain(caption));
    auto* count = new QLabel;
    count->setObjectName(countName);
    page->layout()->addWidget(list);
    page->layout()->addWidget(count);
    return {list, count};
}

}  // namespace

frmOptions::frmOptions(QWidget* parent) : QDialog(parent) {
    setObjectName("frmOptions");
    setWindowTitle("Options");
    tabs_ = new QTabWidget;
    tabs_->setAccessibleName("Options");

    std::tie(lstFamilies_, lblFamilySelectCount_) = NewCountedListPage(
        tabs_, "Device &Families", 0,
        "Select the device families you work with. Only the selected families are offered when "
        "devices are added to a loop.",
        "lstFamilies", "lblFamilySelectCount");
    std::tie(lstStandard_, lblStandardSelectCount_) = NewCountedListPage(
        tabs_, "'&Standard' Devices", 1,
        "Select the device types you use most. Every standard device is listed in the loop "
        "editor's device table each time the editor opens.",
        "lstStandard", "lblStandardSelectCount");

    QWidget* page =
        NewPage(tabs_, "&Units", 2,
                "Choose the units in which cable lengths and impedances are typed and shown. "
                "Stored values do not change.");
    auto* grid = new QGridLayout;
    const char* unitCaptions[] = {"&Metric", "&Imperial"};
    for (int u = 0; u < 2; ++u) {
        optUnit_[u] = new QRadioButton(unitCaptions[u]);
        optUnit_[u]->setObjectName(QString("optUnit%1").arg(u));
        optUnit_[u]->setAccessibleName(Plain(unitCaptions[u]));
        optUnit_[u]->setChecked(model_.Units() == u);
        grid->addWidget(optUnit_[u], u, 0);
        grid->addWidget(new QLabel(Q(LengthUnitText(u, true))), u, 1);
        grid->addWidget(new QLabel(Q(ImpedanceUnitText(u))), u, 2);
        grid->addWidget(new QLabel(Q(CopperReferenceText(u))), u, 3);
    }
    static_cast<QVBoxLayout*>(page->layout())->addLayout(grid);
    static_cast<QVBoxLayout*>(page->layout())->addStretch();

    page = NewPage(tabs_, "&Cables", 3,
                   "Select the cable groups whose cables are offered by name in the loop "
                   "editor's cable list.");
    lstCableGroups_ = NewList("lstCableGroups", "Cables");
    page->layout()->addWidget(lstCableGroups_);

    auto* buttons = new QDialogButtonBox;
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("btnOK");
    ok->setAccessibleName("OK");
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("btnCancel");
    cancel->setAccessibleName("Cancel");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(buttons);

    ShowList(lstFamilies_, model_.Families());
    ShowList(lstStandard_, model_.StandardDevices());
    ShowList(lstCableGroups_, model_.CableGroups());
    ShowCounts();
    connect(lstFamilies_, &QListWidget::itemSelectionChanged, this, &frmOptions::FamiliesClicked);
    connect(lstStandard_, &QListWidget::itemSelectionChanged, this, &frmOptions::StandardClicked);
    connect(ok, &QPushButton::clicked, this, &frmOptions::OkClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmOptions::ShowList(QListWidget* list, const std::vector<OptionsListItem>& items) {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const auto& item : items) {
        auto* row = new QListWidgetItem(Q(item.text), list);
        row->setData(Qt::UserRole, item.number);
        row->setSelected(item.selected);
    }
    list->setCurrentRow(-1, QItemSelectionModel::NoUpdate);
}

void frmOptions::FamiliesClicked() {
    for (int i = 0; i < lstFamilies_->count(); ++i)
        model_.SetFamilySelected(i, lstFamilies_->item(i)->isSelected());
    ShowList(lstStandard_, model_.StandardDevices());
    ShowCounts();
}

void frmOptions::StandardClicked() {
    for (int i = 0; i < lstStandard_->count(); ++i)
        model_.SetStandardSelected(i, lstStandard_->item(i)->isSelected());
    ShowCounts();
}

void frmOptions::ShowCounts() {
    lblFamilySelectCount_->setText(Q(model_.FamilyCountText()));
    lblStandardSelectCount_->setText(Q(model_.StandardCountText()));
}

void frmOptions::OkClicked() {
    for (int i = 0; i < lstCableGroups_->count(); ++i)
        model_.SetCableGroupSelected(i, lstCableGroups_->item(i)->isSelected());
    model_.SetUnits(optUnit_[1]->isChecked() ? kImperialUnits : kMetricUnits);
    if (model_.Accept()) accept();
}

bool ShowOptionsDialog(QWidget* parent) {
    frmOptions dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}
