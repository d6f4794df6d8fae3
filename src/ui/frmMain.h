#pragma once
// The main window: site name, panel choice, the eight loop rows and the totals, the File,
// Tools and Help menus. It shows what MainWindowModel sends and forwards every action to it.
#include <QMainWindow>
#include <QPointer>
#include <array>
#include <memory>

#include "app/MainFormView.h"
#include "app/MainWindowModel.h"
#include "ui/PrintWindows.h"
#include "ui/dlgIgnoreUnknown.h"
#include "ui/frmOpenProgress.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class dlgAbout;

class frmMain : public QMainWindow, public MainFormView {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    MainWindowModel& Model() { return *model_; }
    // Start-up; false when the program must end.
    bool Start();
    // The program's own command line, run at the first activation.
    void SetCommandLine(const std::string& commandLine) { commandLine_ = commandLine; }
    // Runs the first activation now (it runs once, by itself, soon after the window is shown).
    void Activate();

    // MainFormView
    void ShowCaption(const std::string& caption) override;
    void ShowSiteName(const std::string& siteName) override;
    void ShowPanelList(const std::vector<PanelGroup>& groups) override;
    void ShowChosenPanel(int panel, const std::string& maker) override;
    void ShowLoopRowCount(int count) override;
    void ShowLoopRow(int loop, const SummaryRow& row) override;
    void ShowTotalsRow(const SummaryRow& totals) override;
    void ShowAlarmNoteCaption(const std::string& caption) override;
    void ShowAlarmNoteVisible(bool visible) override;
    void ShowRecentFiles(const std::vector<std::string>& paths) override;
    void ShowCustomPanelEdits(bool enabled) override;
    void ShowSplash() override;
    void CloseSplash() override;
    bool ShowWelcome() override;
    bool ShowNewVersion(const std::string& text) override;
    std::optional<OpenChoice> ChooseFileToOpen(const std::string& folder) override;
    std::optional<std::string> ChooseFileToSave(const std::string& folder,
                                                const std::string& initialPath) override;
    OpenProgressView& ProgressView() override { return progress_; }
    IgnoreUnknownPrompt& UnknownPrompt() override { return unknown_; }
    // The progress window while an open runs.
    frmOpenProgress* ProgressWindow() const { return progress_.Window(); }
    PrintView& Printing() override { return printing_; }
    void CloseMainWindow() override;

signals:
    // The first activation has run (the command line included).
    void activated();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    struct Row {
        QLabel* lblLoop;
        QLabel* lblDevice;
        QLabel* lblQuiescent;
        QLabel* lblAlarm;
        QLabel* lblPassFail;
        QPushButton* btnChange;
    };
    void BuildMenus();
    QWidget* BuildCentre();
    Row BuildRow(class QGridLayout* grid, int gridRow, const QString& caption, const QString& name);
    void ApplySavedPlacement();

    OpenProgressWindow progress_{this};
    IgnoreUnknownDialog unknown_{this};
    PrintWindows printing_{*this};
    std::unique_ptr<MainWindowModel> model_;
    std::string commandLine_;
    bool activated_ = false;
    QLineEdit* txtName_ = nullptr;
    QComboBox* cmbPanel_ = nullptr;
    QLabel* lblManufacturer_ = nullptr;
    std::array<Row, 8> rows_{};
    Row totals_{};
    QLabel* lblAlarmNotes_ = nullptr;
    QMenu* mnuFile_ = nullptr;
    QMenu* mnuCustomPanels_ = nullptr;
    QAction* mnuCustomEdit_ = nullptr;
    QAction* mnuCustomDelete_ = nullptr;
    std::array<QAction*, 4> mFileRecent_{};
    QAction* mnuRecentSeparator_ = nullptr;
    QPointer<dlgAbout> splash_;
};
