#pragma once
// The device type chooser ("Add Device Type"): the tree of shown families and their device
// types, from which the loop editor's Add button takes one type. The rules are those of
// DeviceTypeChooser; this window shows its tree and forwards the user's actions.
#include <QDialog>
#include <string>

#include "document/DeviceTypeChooser.h"

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class frmDeviceType : public QDialog {
    Q_OBJECT
public:
    explicit frmDeviceType(QWidget* parent = nullptr);
    // "Cancel", or the chosen device type number in decimal.
    std::string Result() const { return chooser_.Result(); }

private:
    void Refresh();
    int IndexOf(const QTreeWidgetItem* item) const;
    void SetOpen(QTreeWidgetItem* item, bool open);
    void PressOk();
    void DoubleClick(QTreeWidgetItem* item);

    DeviceTypeChooser chooser_;
    bool filling_ = true;
    QLabel* lblChoose_ = nullptr;
    QLabel* label1_ = nullptr;
    QTreeWidget* outDevices_ = nullptr;
    QPushButton* btnOK_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

// Opens the chooser modally over `parent` and answers its result ("Cancel" or a type number).
std::string ChooseDeviceType(QWidget* parent);
