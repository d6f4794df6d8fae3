#include "app/OptionsModel.h"

#include <algorithm>
#include <cstddef>

#include "catalogue/Cables.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "document/UnitsSetting.h"
#include "engine/Scaling.h"
#include "shell/ErrorHandler.h"
#include "shell/Locale.h"
#include "shell/Platform.h"
#include "shell/Product.h"
#include "shell/Settings.h"

namespace {

std::size_t At(int n) {
    return static_cast<std::size_t>(n);
}

bool OfferedToRegion(const CableGroup& group, bool northAmerican) {
    if (group.GroupLocale == "ALL") return true;
    return (group.GroupLocale == "US") == northAmerican;
}

std::size_t SelectedCount(const std::vector<OptionsListItem>& items) {
    return static_cast<std::size_t>(
        std::count_if(items.begin(), items.end(), [](const auto& i) { return i.selected; }));
}

std::string CountText(std::size_t count, const char* one, const char* many) {
    return count == 1 ? std::string("1 ") + one + " selected."
                      : std::to_string(count) + " " + many + " selected.";
}

// The choices held in memory, kept so that a failed write can be undone.
struct StoredChoices {
    std::vector<bool> familyShown;
    std::vector<bool> standard;
    std::uint8_t units = 0;
    std::vector<bool> groupShown;

    static StoredChoices Take() {
        StoredChoices c;
        for (const auto& f : FamilyTable)
            c.familyShown.push_back(f.FamilyShown);
        c.standard = StandardDevice;
        c.units = DisplayUnits();
        for (const auto& g : CableGroupTable)
            c.groupShown.push_back(g.GroupShown);
        return c;
    }
    void Restore() const {
        for (std::size_t n = 0; n < familyShown.size() && n < FamilyTable.size(); ++n)
            FamilyTable[n].FamilyShown = familyShown[n];
        StandardDevice = standard;
        SetDisplayUnits(units);
        for (std::size_t n = 0; n < groupShown.size() && n < CableGroupTable.size(); ++n)
            CableGroupTable[n].GroupShown = groupShown[n];
        ApplyGroupVisibility();
    }
};

}  // namespace

bool IsListedStandardDevice(int type) {
    if (type < 0 || type >= static_cast<int>(DeviceTypeTable.size())) return false;
    const DeviceTypeRecord& record = DeviceTypeTable[At(type)];
    return !IsIconOnlyFamily(type) && !record.Name.empty() && !record.IsSlave;
}

OptionsModel::OptionsModel() {
    BusyPointer busy;
    for (int n = 1; n <= FamilyCount && n < static_cast<int>(FamilyTable.size()); ++n)
        families_.push_back({FamilyTable[At(n)].FamilyTitle, n, FamilyTable[At(n)].FamilyShown});
    for (const auto& family : families_)
        if (family.selected) AddEligibleTypes(family.number);
    units_ = DisplayUnits();
    const bool northAmerican = IsNorthAmericanLocale();
    for (std::size_t n = 0; n < CableGroupTable.size(); ++n) {
        const CableGroup& group = CableGroupTable[n];
        if (OfferedToRegion(group, northAmerican))
            cableGroups_.push_back({group.GroupName, static_cast<int>(n), group.GroupShown});
    }
}

void OptionsModel::AddEligibleTypes(int family) {
    for (int type = 0; type < static_cast<int>(DeviceTypeTable.size()); ++type) {
        if (DeviceTypeTable[At(type)].Family != family || !IsListedStandardDevice(type)) continue;
        const auto place = std::find_if(standard_.begin(), standard_.end(),
                                        [&](const auto& item) { return item.number > type; });
        standard_.insert(place, {DeviceTypeTable[At(type)].Name, type, IsStandardDevice(type)});
    }
}

void OptionsModel::SetFamilySelected(int index, bool selected) {
    if (index < 0 || At(index) >= families_.size()) return;
    OptionsListItem& family = families_[At(index)];
    if (family.selected == selected) return;
    family.selected = selected;
    if (selected) {
        AddEligibleTypes(family.number);
        return;
    }
    std::erase_if(standard_, [&](const OptionsListItem& item) {
        return DeviceTypeTable[At(item.number)].Family == family.number;
    });
}

void OptionsModel::SetStandardSelected(int index, bool selected) {
    if (index >= 0 && At(index) < standard_.size()) standard_[At(index)].selected = selected;
}

void OptionsModel::SetCableGroupSelected(int index, bool selected) {
    if (index >= 0 && At(index) < cableGroups_.size()) cableGroups_[At(index)].selected = selected;
}

std::string OptionsModel::FamilyCountText() const {
    return CountText(SelectedCount(families_), "family", "families");
}

std::string OptionsModel::StandardCountText() const {
    return CountText(SelectedCount(standard_), "device", "devices");
}

bool OptionsModel::Accept() {
    if (SelectedCount(families_) == 0) {
        ShowMessage("You must select at least one device family!", kProductName,
                    MsgIcon::Exclamation);
        return false;
    }
    if (SelectedCount(cableGroups_) == 0) {
        ShowMessage("You must select at least one cable group!", kProductName,
                    MsgIcon::Exclamation);
        return false;
    }
    return RunRetryingOnFault("Options", [&] {
        const StoredChoices before = StoredChoices::Take();
        try {
            SettingsBatch batch;
            for (const auto& family : families_)
                SetFamilyShown(family.number, family.selected);
            for (const auto& type : standard_)
                SetStandardDevice(type.number, type.selected);
            ::SetUnits(units_);
            // Groups the region is not offered keep their flag.
            std::vector<bool> groups = before.groupShown;
            for (const auto& group : cableGroups_)
                groups[At(group.number)] = group.selected;
            ApplyCableGroupSelection(groups);
            batch.Commit();
        } catch (...) {
            before.Restore();
            throw;
        }
        return true;
    });
}
