#pragma once
// The options dialog: the device families offered, the standard devices, the display units and
// the cable groups offered. Binds OptionsModel, which holds every rule.
#include <QDialog>
#include <array>

#include "app/OptionsModel.h"

class QLabel;
class QListWidget;
class QRadioButton;
class QTabWidget;

class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* parent = nullptr);

private:
    void ShowList(QListWidget* list, const std::vector<OptionsListItem>& items);
    void FamiliesClicked();
    void StandardClicked();
    void ShowCounts();
    void OkClicked();

    OptionsModel model_;
    QTabWidget* tabs_;
    QListWidget* lstFamilies_;
    QListWidget* lstStandard_;
    QListWidget* lstCableGroups_;
    QLabel* lblFamilySelectCount_;
    QLabel* lblStandardSelectCount_;
    std::array<QRadioButton*, 2> optUnit_{};
};

// Opens the options dialog modally; true when OK stored the choices. The caller shows them
// again (units, panel list, cable lists).
bool ShowOptionsDialog(QWidget* parent);
