#include "document/DeviceTypeChooser.h"

#include "catalogue/DeviceTypes.h"
#include "shell/Platform.h"

DeviceTypeChooser::DeviceTypeChooser(int preselectType) {
    BusyPointer busy;
    for (const std::int16_t family : FamilyOrder) {
        const DeviceFamily* familyRecord = FindFamilyRecord(family);
        if (family == 0 || !familyRecord || !familyRecord->FamilyShown) continue;
        int familyItem = -1;
        for (const std::int16_t type : DeviceOrder) {
            const DeviceTypeRecord& record = DeviceTypeRecordAt(type);
            // Types meant as standalone devices are placed as other devices, never from here.
            if (type == 0 || record.Family != family || record.StandaloneSetting != 0) continue;
            if (familyItem < 0) {
                familyItem = static_cast<int>(items_.size());
                items_.push_back(
                    {familyRecord->FamilyTitle, 1, 0, false, ChooserPicture::FamilyClosed});
            }
            items_.push_back({record.Name, 2, type, false, ChooserPicture::Device});
            if (type == preselectType) {
                SetFamilyOpen(familyItem, true);
                selected_ = static_cast<int>(items_.size()) - 1;
            }
        }
    }
    if (items_.empty()) {
        chooseText_ = kNothingToChoose;
        return;
    }
    if (!selected_) selected_ = 0;
    CheckEnables();
}

void DeviceTypeChooser::CheckEnables() {
    okEnabled_ = selected_ && items_[static_cast<std::size_t>(*selected_)].level == 2;
}

void DeviceTypeChooser::Select(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    selected_ = index;
    CheckEnables();
}

void DeviceTypeChooser::SetFamilyOpen(int index, bool open) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return;
    ChooserItem& item = items_[static_cast<std::size_t>(index)];
    if (item.level != 1) return;
    item.open = open;
    item.picture = open ? ChooserPicture::FamilyOpen : ChooserPicture::FamilyClosed;
}

bool DeviceTypeChooser::DoubleClick(int index) {
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    Select(index);
    const ChooserItem& item = items_[static_cast<std::size_t>(index)];
    if (item.level == 1) {
        SetFamilyOpen(index, !item.open);
        return false;
    }
    return okEnabled_ && PressOk();
}

bool DeviceTypeChooser::PressOk() {
    if (!okEnabled_) return false;
    const int type = items_[static_cast<std::size_t>(*selected_)].tag;
    if (!IsPlaceableDeviceType(type)) {
        ShowMessage("Sorry, this type is not implemented in the calculator!", kCaption,
                    MsgIcon::Information, MsgButtons::OK);
        return false;
    }
    result_ = std::to_string(type);
    return true;
}
