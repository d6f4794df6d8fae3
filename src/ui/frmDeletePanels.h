#pragma once
// The chooser of user-defined panels, for deleting them or for opening one in the panel dialog.
// Binds CustomPanelChooserModel.
#include <QDialog>

#include "app/CustomPanelChooserModel.h"

class QListWidget;
class QPushButton;

class frmDeletePanels : public QDialog {
    Q_OBJECT
public:
    frmDeletePanels(bool doDelete, QWidget* parent = nullptr);
    // Edit mode: the panel chosen for editing, -1 when none was.
    int ChosenPanel() const { return chosen_; }
    // Delete mode: whether any panel was deleted.
    bool Deleted() const { return deleted_; }

private:
    void ShowPanels();
    void ActionClicked();

    CustomPanelChooserModel model_;
    QListWidget* lstPanels_;
    QPushButton* btnDelete_;
    int chosen_ = -1;
    bool deleted_ = false;
};
