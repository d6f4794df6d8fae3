#include "ui/frmDeviceType.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

constexpr int kItemIndexRole = Qt::UserRole;

QIcon PictureOf(const QStyle* style, ChooserPicture picture) {
    switch (picture) {
        case ChooserPicture::FamilyOpen:
            return style->standardIcon(QStyle::SP_DirOpenIcon);
        case ChooserPicture::FamilyClosed:
            return style->standardIcon(QStyle::SP_DirClosedIcon);
        case ChooserPicture::Device:
            break;
    }
    return style->standardIcon(QStyle::SP_FileIcon);
}

}  // namespace

frmDeviceType::frmDeviceType(QWidget* parent) : QDialog(parent) {
    setObjectName("frmDeviceType");
    setWindowTitle(DeviceTypeChooser::kCaption);
    lblChoose_ = new QLabel(QString::fromStdString(chooser_.ChooseText()), this);
    lblChoose_->setObjectName("lblChoose");
    lblChoose_->setWordWrap(true);
    label1_ = new QLabel(DeviceTypeChooser::kHint, this);
    label1_->setObjectName("Label1");
    outDevices_ = new QTreeWidget(this);
    outDevices_->setObjectName("outDevices");
    outDevices_->setAccessibleName(QString::fromStdString(chooser_.ChooseText()));
    outDevices_->setHeaderHidden(true);
    outDevices_->setColumnCount(1);
    outDevices_->setExpandsOnDoubleClick(false);
    outDevices_->setMinimumSize(300, 260);
    lblChoose_->setBuddy(outDevices_);
    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setAccessibleName("OK");
    btnOK_->setDefault(true);  // Enter chooses the selected type
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");
    btnCancel_->setAccessibleName("Cancel");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblChoose_);
    layout->addWidget(label1_);
    layout->addWidget(outDevices_, 1);
    layout->addLayout(buttons);

    QTreeWidgetItem* family = nullptr;
    const auto& items = chooser_.Items();
    for (std::size_t i = 0; i < items.size(); ++i) {
        const ChooserItem& item = items[i];
        auto* node = item.level == 1 || !family ? new QTreeWidgetItem(outDevices_)
                                                : new QTreeWidgetItem(family);
        if (item.level == 1) family = node;
        node->setText(0, QString::fromStdString(item.text));
        node->setData(0, kItemIndexRole, static_cast<int>(i));
        node->setExpanded(item.open);
    }
    const bool any = chooser_.TreeVisible();
    label1_->setVisible(any);
    outDevices_->setVisible(any);
    if (any) outDevices_->setFocus();

    connect(outDevices_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (filling_ || !item) return;
        chooser_.Select(IndexOf(item));
        Refresh();
    });
    connect(outDevices_, &QTreeWidget::itemExpanded, this,
            [this](QTreeWidgetItem* item) { SetOpen(item, true); });
    connect(outDevices_, &QTreeWidget::itemCollapsed, this,
            [this](QTreeWidgetItem* item) { SetOpen(item, false); });
    connect(outDevices_, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { DoubleClick(item); });
    connect(btnOK_, &QPushButton::clicked, this, [this] { PressOk(); });
    connect(btnCancel_, &QPushButton::clicked, this, [this] {
        chooser_.PressCancel();
        reject();
    });
    if (const auto selected = chooser_.SelectedItem()) {
        const QTreeWidgetItemIterator::IteratorFlags all = QTreeWidgetItemIterator::All;
        for (QTreeWidgetItemIterator it(outDevices_, all); *it; ++it)
            if (IndexOf(*it) == *selected) outDevices_->setCurrentItem(*it);
    }
    filling_ = false;
    Refresh();
}

int frmDeviceType::IndexOf(const QTreeWidgetItem* item) const {
    return item ? item->data(0, kItemIndexRole).toInt() : -1;
}

void frmDeviceType::Refresh() {
    btnOK_->setEnabled(chooser_.OkEnabled());
    const auto& items = chooser_.Items();
    for (QTreeWidgetItemIterator it(outDevices_); *it; ++it) {
        const ChooserItem& item = items.at(static_cast<std::size_t>(IndexOf(*it)));
        (*it)->setIcon(0, PictureOf(style(), item.picture));
        if ((*it)->isExpanded() != item.open) (*it)->setExpanded(item.open);
    }
}

void frmDeviceType::SetOpen(QTreeWidgetItem* item, bool open) {
    if (filling_) return;
    chooser_.SetFamilyOpen(IndexOf(item), open);
    Refresh();
}

void frmDeviceType::DoubleClick(QTreeWidgetItem* item) {
    if (chooser_.DoubleClick(IndexOf(item))) {
        accept();
        return;
    }
    Refresh();
}

void frmDeviceType::PressOk() {
    if (chooser_.PressOk()) accept();
}

std::string ChooseDeviceType(QWidget* parent) {
    frmDeviceType chooser(parent);
    chooser.exec();
    return chooser.Result();
}
