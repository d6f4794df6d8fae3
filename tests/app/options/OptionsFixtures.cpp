#include "app/options/OptionsFixtures.h"

#include "catalogue/Cables.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceFixtures.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "catalogue/Panels.h"
#include "engine/Scaling.h"

void CatalogueTest::SetUp() {
    ScriptedTest::SetUp();
    DeviceCatalogueFile devices;
    devices.Set("Devices", "MaxDevices", "5")
        .Set("Devices", "Device4", DeviceEntry("Slave Base").Set(43, "S").Value())
        .Set("Devices", "Device5", DeviceEntry("Icon Only").Set(5, "0").Value());
    devices.WriteStandard();
    WriteStandardPanels(MinimalPanelFile());
    WriteCables(MinimalCableFile());
    Reload();
}

void CatalogueTest::Reload() {
    ResetCataloguePreferences();
    ResetCableCatalogue();
    ResetDeviceCatalogue();
    ASSERT_TRUE(LoadDeviceCatalogue() && LoadPanelCatalogue() && LoadCableCatalogue())
        << platform.AllMessageTexts();
    LoadStandardDevices();
    LoadUnits();
    ASSERT_TRUE(SelectPanelByName("Acme 8"));
}

std::string CatalogueTest::TakeMessages() {
    const std::string texts = platform.AllMessageTexts();
    platform.messages.clear();
    return texts;
}
