#include "catalogue/Options.h"

#include <string>

#include "catalogue/Cables.h"
#include "catalogue/DeviceTypes.h"
#include "shell/Platform.h"
#include "shell/Settings.h"
#include "shell/Text.h"

std::vector<bool> StandardDevice;

namespace {

std::int16_t LastCableImpedance = 0;
std::int32_t LastCalcType = 0;

constexpr int kHighestCableImpedance = 10000;  // hundredths of an ohm per km per core

std::string StandardDeviceSetting(int type) {
    return "StandardDevice" + std::to_string(type);
}

bool FamilyShownOf(const DeviceTypeRecord& type) {
    return type.Family >= 0 && type.Family < static_cast<int>(FamilyTable.size()) &&
           FamilyTable[static_cast<std::size_t>(type.Family)].FamilyShown;
}

}  // namespace

bool IsEligibleStandardDevice(int type) {
    return IsPlaceableDeviceType(type) && !IsIconOnlyFamily(type) &&
           !DeviceTypeTable[static_cast<std::size_t>(type)].IsSlave;
}

void LoadStandardDevices() {
    BusyPointer busy;
    StandardDevice.assign(DeviceTypeTable.size(), false);
    SettingsBatch batch;
    for (int d = 0; d < static_cast<int>(DeviceTypeTable.size()); ++d) {
        if (!IsEligibleStandardDevice(d)) {
            SetStandardDevice(d, false);
        } else if (SettingExists(StandardDeviceSetting(d))) {
            StandardDevice[static_cast<std::size_t>(d)] = ReadSettingFlag(StandardDeviceSetting(d));
        } else {
            SetStandardDevice(d, FamilyShownOf(DeviceTypeTable[static_cast<std::size_t>(d)]));
        }
    }
    batch.Commit();
}

bool IsStandardDevice(int type) {
    return type >= 0 && type < static_cast<int>(StandardDevice.size()) &&
           StandardDevice[static_cast<std::size_t>(type)];
}

void SetStandardDevice(int type, bool value) {
    if (type < 0 || type >= static_cast<int>(StandardDevice.size())) return;
    if (StandardDevice[static_cast<std::size_t>(type)] == value) return;
    WriteSettingFlag(StandardDeviceSetting(type), value);
    StandardDevice[static_cast<std::size_t>(type)] = value;
}

void ApplyFirstRunFamilyOffers(bool northAmerican) {
    SettingsBatch batch;
    for (std::size_t n = 0; n < FamilyTable.size(); ++n) {
        const std::string region = UCase(Trim(FamilyTable[n].FamilyText3));
        const bool offered = region == "ALL" || (region == "US" && northAmerican) ||
                             (region == "NONUS" && !northAmerican);
        SetFamilyShown(static_cast<int>(n), offered);
    }
    batch.Commit();
}

void LoadLastCableImpedance() {
    const bool stored = SettingExists("LastCableImpedance");
    const std::int32_t value = ReadSettingNumber("LastCableImpedance");
    if (stored && value >= 0 && value <= kHighestCableImpedance)
        SetLastCableImpedance(static_cast<std::int16_t>(value));
    else
        SetLastCableImpedance(static_cast<std::int16_t>(FirstVisibleCableImpedance()));
}

std::int16_t GetLastCableImpedance() {
    return LastCableImpedance;
}

void SetLastCableImpedance(std::int16_t value) {
    if (value == LastCableImpedance) return;
    WriteSettingNumber("LastCableImpedance", value);
    LastCableImpedance = value;
}

void LoadLastCalcType() {
    LastCalcType = ReadSettingNumber("LastCalcType");
}

std::int32_t GetLastCalcType() {
    return LastCalcType;
}

void SetLastCalcType(std::int32_t value) {
    if (value == LastCalcType) return;
    WriteSettingNumber("LastCalcType", value);
    LastCalcType = value;
}

void ResetCataloguePreferences() {
    StandardDevice.clear();
    LastCableImpedance = 0;
    LastCalcType = 0;
}
