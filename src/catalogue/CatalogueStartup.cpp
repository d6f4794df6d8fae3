#include "catalogue/CatalogueStartup.h"

#include "catalogue/Batteries.h"
#include "catalogue/Cables.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/Panels.h"
#include "shell/ErrorHandler.h"
#include "shell/LegacySettings.h"
#include "shell/Platform.h"
#include "shell/Settings.h"

void ResetCatalogues() {
    ResetDeviceCatalogue();
    ResetCataloguePreferences();
    ResetPanelCatalogue();
    ResetCableCatalogue();
    ResetOtherDevices();
    // Read again on its next use, from the data the sequence loads.
    ResetBatteryCatalogue();
}

namespace {

bool RunSequence() {
    MigrateIniSettings();
    ResetCatalogues();
    if (!LoadDeviceCatalogue()) return false;
    LoadStandardDevices();
    if (!LoadPanelCatalogue()) return false;
    if (!LoadCableCatalogue()) return false;
    LoadLastCableImpedance();
    LoadLastCalcType();
    if (!LoadOtherDevices()) return false;
    return SelectPanelOrUnknown(ReadSettingText("LastPanel"));
}

}  // namespace

bool LoadCatalogues() {
    BusyPointer busy;
    // The settings store raises a fault when it cannot write (a config folder that cannot be
    // created, a full disk); the user may retry the whole sequence or give up.
    return RunRetryingOnFault("LoadCatalogues", RunSequence);
}

CatalogueCounts CountCatalogues() {
    CatalogueCounts counts;
    counts.families = static_cast<int>(FamilyTable.size());
    for (std::size_t d = 1; d < DeviceTypeTable.size(); ++d)
        if (!DeviceTypeTable[d].Name.empty()) ++counts.deviceTypes;
    counts.panels = static_cast<int>(PanelTable.size());
    counts.cables = static_cast<int>(CableTable.size());
    counts.otherDevices =
        OtherDeviceTable.empty() ? 0 : static_cast<int>(OtherDeviceTable.size()) - 1;
    return counts;
}

std::string CatalogueCountsText(const CatalogueCounts& counts) {
    return "families " + std::to_string(counts.families) + ", device types " +
           std::to_string(counts.deviceTypes) + ", panels " + std::to_string(counts.panels) +
           ", cables " + std::to_string(counts.cables) + ", other devices " +
           std::to_string(counts.otherDevices);
}
