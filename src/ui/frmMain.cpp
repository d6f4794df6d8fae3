#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStandardItemModel>
#include <QTimer>
#include <QVBoxLayout>

#include "catalogue/Panels.h"
#include "shell/RecentFiles.h"
#include "ui/HelpWindow.h"
#include "ui/dlgAbout.h"
#include "ui/dlgIgnoreUnknown.h"
#include "ui/frmLoop.h"
#include "ui/frmOptions.h"
#include "ui/frmPanel.h"
#include "ui/frmStandbyPower.h"
#include "ui/frmWelcome.h"

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString WithoutAccessKey(QString caption) {
    return caption.remove('&');
}

QLabel* NamedLabel(const QString& text, const QString& name, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QStringList DesignFileFilters() {
    return {QString("%1 (%2 *.qmr)").arg(kDesignFilesFilter, kDesignFilesPattern),
            QString("%1 (*)").arg(kAllFilesFilter)};
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName("MainForm");
    BuildMenus();
    setCentralWidget(BuildCentre());
    InstallHelpKey(this, HelpTopic::MainWindow);
    model_ = std::make_unique<MainWindowModel>(*this);
}

frmMain::~frmMain() {
    delete splash_;
}

void frmMain::BuildMenus() {
    mnuFile_ = menuBar()->addMenu(tr("&File"));
    const auto add = [this](QMenu* menu, const QString& caption, const char* name, QKeySequence key,
                            auto slot) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        if (!key.isEmpty()) action->setShortcut(key);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    add(mnuFile_, tr("&New"), "mnuNew", QKeySequence::New, [this] { model_->NewCommand(); });
    add(mnuFile_, tr("&Open..."), "mnuOpen", QKeySequence::Open, [this] { model_->OpenCommand(); });
    add(mnuFile_, tr("&Save"), "mnuSave", QKeySequence::Save, [this] { model_->SaveCommand(); });
    add(mnuFile_, tr("Save &As..."), "mnuSaveAs", QKeySequence(),
        [this] { model_->SaveAsCommand(); });
    mnuFile_->addSeparator();
    add(mnuFile_, tr("&Print..."), "mnuPrint", QKeySequence::Print,
        [this] { model_->RunPrintCommand(); });
    mnuFile_->addSeparator();
    add(mnuFile_, tr("&Options..."), "mnuOptions", QKeySequence(), [this] {
        if (ShowOptionsDialog(this)) model_->OptionsChanged();
    });
    mnuCustomPanels_ = mnuFile_->addMenu(tr("&User-Defined Panels"));
    mnuCustomPanels_->setObjectName("mnuCustomPanels");
    const auto panels = [this](PanelEditorMode mode) {
        return [this, mode] {
            ShowPanelEditor(this, mode);
            model_->CheckCustomPanelMenu();
        };
    };
    add(mnuCustomPanels_, tr("&Add..."), "mnuCustomAdd", QKeySequence(),
        panels(PanelEditorMode::Add));
    mnuCustomEdit_ = add(mnuCustomPanels_, tr("&Edit..."), "mnuCustomEdit", QKeySequence(),
                         panels(PanelEditorMode::Edit));
    mnuCustomDelete_ = add(mnuCustomPanels_, tr("&Delete..."), "mnuCustomDelete", QKeySequence(),
                           panels(PanelEditorMode::Delete));
    mnuRecentSeparator_ = mnuFile_->addSeparator();
    for (std::size_t i = 0; i < mFileRecent_.size(); ++i) {
        mFileRecent_[i] = add(mnuFile_, QString(), "mFileRecent", QKeySequence(),
                              [this, i] { model_->OpenRecentCommand(i); });
        mFileRecent_[i]->setObjectName(QString("mFileRecent%1").arg(i + 1));
        mFileRecent_[i]->setVisible(false);
    }
    mnuFile_->addSeparator();
    add(mnuFile_, tr("E&xit"), "mnuExit", QKeySequence::Quit, [this] { close(); });

    QMenu* tools = menuBar()->addMenu(tr("&Tools"));
    tools->setObjectName("mnuTools");
    add(tools, tr("Standby &Power..."), "mnuStandbyPower", QKeySequence(),
        [this] { ShowStandbyPowerDialog(this); });

    QMenu* help = menuBar()->addMenu(tr("&Help"));
    const auto topic = [](HelpTopic t) { return [t] { HelpWindow::ShowTopic(t); }; };
    add(help, tr("Help &Topics..."), "mnuHelpTopics", QKeySequence(), topic(HelpTopic::Contents));
    add(help, tr("&Glossary of Terms..."), "mnuGlossary", QKeySequence(),
        topic(HelpTopic::Glossary));
    add(help, tr("&How to use Help..."), "mnuUsingHelp", QKeySequence(),
        topic(HelpTopic::UsingHelp));
    help->addSeparator();
    add(help, tr("Contacting &Tarvex..."), "mnuContact", QKeySequence(), topic(HelpTopic::Contact));
    add(help, tr("&About Quelmar..."), "mnuAbout", QKeySequence(), [this] {
        dlgAbout about(this);
        about.exec();
    });
}

frmMain::Row frmMain::BuildRow(QGridLayout* grid, int gridRow, const QString& caption,
                               const QString& name) {
    QWidget* centre = grid->parentWidget();
    Row r;
    r.lblLoop = NamedLabel(caption, "lblLoop" + name, centre);
    r.lblDevice = NamedLabel("0", "lblDevice" + name, centre);
    r.lblQuiescent = NamedLabel("0 mA", "lblQuiescent" + name, centre);
    r.lblAlarm = NamedLabel("0 mA", "lblAlarm" + name, centre);
    r.lblPassFail = NamedLabel(tr("Satisfactory"), "lblPassFail" + name, centre);
    r.lblDevice->setAccessibleName(caption + " " + tr("Devices"));
    r.lblQuiescent->setAccessibleName(caption + " " + tr("Quiescent"));
    r.lblAlarm->setAccessibleName(caption + " " + tr("Alarm"));
    r.lblPassFail->setAccessibleName(caption + " " + tr("Verdict"));
    int column = 0;
    for (QLabel* l : {r.lblLoop, r.lblDevice, r.lblQuiescent, r.lblAlarm, r.lblPassFail}) {
        if (column >= 1 && column <= 3) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(l, gridRow, column++);
    }
    r.btnChange = nullptr;
    return r;
}

QWidget* frmMain::BuildCentre() {
    auto* centre = new QWidget(this);
    auto* outer = new QVBoxLayout(centre);

    auto* top = new QGridLayout;
    auto* lblName = new QLabel(tr("Site &Name:"), centre);
    txtName_ = new QLineEdit(centre);
    txtName_->setObjectName("txtName");
    txtName_->setAccessibleName(tr("Site Name:"));
    lblName->setBuddy(txtName_);
    auto* lblPanel = new QLabel(tr("Control &Panel:"), centre);
    cmbPanel_ = new QComboBox(centre);
    cmbPanel_->setObjectName("cmbPanel");
    cmbPanel_->setAccessibleName(tr("Control Panel:"));
    cmbPanel_->setMinimumContentsLength(28);
    lblPanel->setBuddy(cmbPanel_);
    lblManufacturer_ = NamedLabel("", "lblManufacturer", centre);
    lblManufacturer_->setAccessibleName(tr("Manufacturer"));
    top->addWidget(lblName, 0, 0);
    top->addWidget(txtName_, 0, 1, 1, 2);
    top->addWidget(lblPanel, 1, 0);
    top->addWidget(cmbPanel_, 1, 1);
    top->addWidget(lblManufacturer_, 1, 2);
    top->setColumnStretch(2, 1);
    outer->addLayout(top);

    auto* grid = new QGridLayout;
    centre->setLayout(outer);
    auto* gridHolder = new QWidget(centre);
    gridHolder->setLayout(grid);
    int column = 0;
    for (const QString& head : {tr("Loop"), tr("Devices"), tr("Quiescent"), tr("Alarm")}) {
        QLabel* l = NamedLabel(head, "lblHead" + head, gridHolder);
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
        if (column > 0) l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(l, 0, column++);
    }
    for (int loop = 1; loop <= 8; ++loop) {
        Row& r = rows_[static_cast<std::size_t>(loop - 1)];
        const QString caption = tr("Loop %1").arg(loop);
        r = BuildRow(grid, loop, caption, QString::number(loop));
        r.btnChange = new QPushButton(tr("Details..."), gridHolder);
        r.btnChange->setObjectName(QString("btnChange%1").arg(loop));
        r.btnChange->setAccessibleName(caption + " " + tr("Details..."));
        connect(r.btnChange, &QPushButton::clicked, this,
                [this, loop] { ShowLoopEditor(this, loop); });
        grid->addWidget(r.btnChange, loop, 5);
    }
    totals_ = BuildRow(grid, 9, tr("Total"), "Total");
    totals_.lblPassFail->setText(tr("Design Satisfactory"));
    totals_.lblDevice->setAccessibleName(tr("Total Devices"));
    totals_.lblQuiescent->setAccessibleName(tr("Total Quiescent"));
    totals_.lblAlarm->setAccessibleName(tr("Total Alarm"));
    totals_.lblPassFail->setAccessibleName(tr("Overall Verdict"));
    for (QLabel* l : {totals_.lblLoop, totals_.lblDevice, totals_.lblQuiescent, totals_.lblAlarm,
                      totals_.lblPassFail}) {
        QFont bold = l->font();
        bold.setBold(true);
        l->setFont(bold);
    }
    lblAlarmNotes_ = NamedLabel("", "lblAlarmNotes", gridHolder);
    lblAlarmNotes_->setVisible(false);
    grid->addWidget(lblAlarmNotes_, 10, 3, 1, 3);
    grid->setColumnMinimumWidth(4, 160);
    grid->setHorizontalSpacing(18);
    outer->addWidget(gridHolder);
    outer->addStretch();

    auto* buttons = new QHBoxLayout;
    auto* btnPrint = new QPushButton(tr("&Print..."), centre);
    btnPrint->setObjectName("btnPrint");
    auto* btnClose = new QPushButton(tr("&Close"), centre);
    btnClose->setObjectName("btnClose");
    for (QPushButton* b : {btnPrint, btnClose})
        b->setAccessibleName(WithoutAccessKey(b->text()));
    buttons->addStretch();
    buttons->addWidget(btnPrint);
    buttons->addWidget(btnClose);
    outer->addLayout(buttons);

    connect(btnPrint, &QPushButton::clicked, this, [this] { model_->RunPrintCommand(); });
    connect(btnClose, &QPushButton::clicked, this, &QWidget::close);
    connect(txtName_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_->SiteNameEdited(text.toStdString()); });
    // Enter in the site field moves on to the first loop's "Details..." button.
    connect(txtName_, &QLineEdit::returnPressed, this,
            [this] { rows_[0].btnChange->setFocus(Qt::OtherFocusReason); });
    connect(cmbPanel_, &QComboBox::activated, this, [this](int index) {
        const QVariant panel = cmbPanel_->itemData(index);
        model_->PanelChosen(panel.isValid() ? panel.toInt() : -1);
    });

    // Tab order: site, panel, the rows' buttons, Print, Close.
    QWidget* previous = txtName_;
    for (QWidget* next : std::initializer_list<QWidget*>{cmbPanel_}) {
        setTabOrder(previous, next);
        previous = next;
    }
    for (Row& r : rows_) {
        setTabOrder(previous, r.btnChange);
        previous = r.btnChange;
    }
    setTabOrder(previous, btnPrint);
    setTabOrder(btnPrint, btnClose);
    return centre;
}

bool frmMain::Start() {
    if (!model_->Start()) return false;
    ApplySavedPlacement();
    return true;
}

void frmMain::ApplySavedPlacement() {
    const std::optional<WindowPlacement> p = MainWindowModel::SavedPlacement();
    if (!p) {
        resize(sizeHint().expandedTo(QSize(640, 460)));
        return;
    }
    QRect wanted(p->left, p->top, p->width, p->height);
    // A place on a screen that is gone is not used.
    const QScreen* screen = QGuiApplication::screenAt(wanted.center());
    if (screen != nullptr)
        setGeometry(wanted);
    else
        resize(wanted.size());
    if (p->maximized) setWindowState(Qt::WindowMaximized);
}

void frmMain::Activate() {
    if (activated_) return;
    activated_ = true;
    model_->Activate(commandLine_);
    emit activated();
}

void frmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!activated_) QTimer::singleShot(0, this, [this] { Activate(); });
}

void frmMain::closeEvent(QCloseEvent* event) {
    if (!model_->QueryClose()) {
        event->ignore();
        return;
    }
    const QRect g = normalGeometry();
    model_->StorePlacement({g.x(), g.y(), g.width(), g.height(), isMaximized()});
    // Every other window of the program closes with the main window.
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible()) w->close();
    event->accept();
}

void frmMain::ShowCaption(const std::string& caption) {
    setWindowTitle(Q(caption));
}

void frmMain::ShowSiteName(const std::string& siteName) {
    txtName_->setText(Q(siteName));
}

void frmMain::ShowPanelList(const std::vector<PanelGroup>& groups) {
    QSignalBlocker block(cmbPanel_);
    auto* list = new QStandardItemModel(cmbPanel_);
    for (const PanelGroup& group : groups) {
        auto* maker = new QStandardItem(Q(group.maker));
        QFont bold = maker->font();
        bold.setBold(true);
        maker->setFont(bold);
        maker->setFlags(Qt::ItemIsEnabled);
        maker->setSelectable(false);
        list->appendRow(maker);
        for (int panel : group.panels) {
            auto* item = new QStandardItem("    " + Q(PanelTable[panel].PanelName));
            item->setData(panel, Qt::UserRole);
            item->setData(Q(PanelTable[panel].PanelName), Qt::AccessibleTextRole);
            list->appendRow(item);
        }
    }
    cmbPanel_->setModel(list);
}

void frmMain::ShowChosenPanel(int panel, const std::string& maker) {
    QSignalBlocker block(cmbPanel_);
    cmbPanel_->setCurrentIndex(cmbPanel_->findData(panel, Qt::UserRole));
    lblManufacturer_->setText(Q(maker));
}

void frmMain::ShowLoopRowCount(int count) {
    for (int i = 0; i < 8; ++i) {
        const Row& r = rows_[static_cast<std::size_t>(i)];
        for (QWidget* w : std::initializer_list<QWidget*>{r.lblLoop, r.lblDevice, r.lblQuiescent,
                                                          r.lblAlarm, r.lblPassFail, r.btnChange})
            w->setVisible(i < count);
    }
}

void frmMain::ShowLoopRow(int loop, const SummaryRow& row) {
    if (loop < 1 || loop > 8) return;
    const Row& r = rows_[static_cast<std::size_t>(loop - 1)];
    r.lblDevice->setText(Q(row.deviceCount));
    r.lblQuiescent->setText(Q(row.quiescentTotal));
    r.lblAlarm->setText(Q(row.alarmTotal));
    r.lblPassFail->setText(Q(row.verdict));
}

void frmMain::ShowTotalsRow(const SummaryRow& totals) {
    totals_.lblDevice->setText(Q(totals.deviceCount));
    totals_.lblQuiescent->setText(Q(totals.quiescentTotal));
    totals_.lblAlarm->setText(Q(totals.alarmTotal));
    totals_.lblPassFail->setText(Q(totals.verdict));
}

void frmMain::ShowAlarmNoteCaption(const std::string& caption) {
    lblAlarmNotes_->setText(Q(caption));
    lblAlarmNotes_->setAccessibleName(Q(caption));
}

void frmMain::ShowAlarmNoteVisible(bool visible) {
    lblAlarmNotes_->setVisible(visible);
}

void frmMain::ShowRecentFiles(const std::vector<std::string>& paths) {
    for (std::size_t i = 0; i < mFileRecent_.size(); ++i) {
        QAction* entry = mFileRecent_[i];
        const bool used = i < paths.size();
        entry->setVisible(used);
        if (!used) continue;
        entry->setText(QString("&%1 %2").arg(i + 1).arg(Q(ShortenPathForMenu(paths[i]))));
        entry->setToolTip(Q(paths[i]));
        entry->setData(Q(paths[i]));
    }
    mnuRecentSeparator_->setVisible(!paths.empty());
}

void frmMain::ShowCustomPanelEdits(bool enabled) {
    mnuCustomEdit_->setEnabled(enabled);
    mnuCustomDelete_->setEnabled(enabled);
}

void frmMain::ShowSplash() {
    splash_ = dlgAbout::CreateSplash();
    splash_->show();
    QApplication::processEvents();
}

void frmMain::CloseSplash() {
    delete splash_;
}

bool frmMain::ShowWelcome() {
    frmWelcome welcome(this);
    return welcome.Run();
}

bool frmMain::ShowNewVersion(const std::string& text) {
    frmNewVersion window(Q(text), this);
    return window.Run();
}

std::optional<OpenChoice> frmMain::ChooseFileToOpen(const std::string& folder) {
    QFileDialog dialog(this, tr(kOpenDialogTitle), Q(folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setNameFilters(DesignFileFilters());
    auto* readOnly = new QCheckBox(tr("Open as &read-only"), &dialog);
    readOnly->setObjectName("chkReadOnly");
    readOnly->setAccessibleName(tr("Open as read-only"));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(readOnly, grid->rowCount(), 0, 1, grid->columnCount());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return OpenChoice{dialog.selectedFiles().front().toStdString(), readOnly->isChecked()};
}

std::optional<std::string> frmMain::ChooseFileToSave(const std::string& folder,
                                                     const std::string& initialPath) {
    QFileDialog dialog(this, tr(kSaveDialogTitle), Q(folder));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(DesignFileFilters());
    dialog.setDefaultSuffix("QMR");
    if (!initialPath.empty()) dialog.selectFile(Q(initialPath));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().front().toStdString();
}

void frmMain::CloseMainWindow() {
    QTimer::singleShot(0, this, &QWidget::close);
}
