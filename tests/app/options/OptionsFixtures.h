#pragma once
// The minimal catalogue files (current panel "Acme 8"), plus device types 4 "Slave Base"
// (family 1, a slave) and 5 "Icon Only" (family 0 with an icon), loaded as at start-up.
#include "catalogue/Cables.h"
#include "catalogue/CatalogueFiles.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "catalogue/Panels.h"
#include "document/UnitsSetting.h"
#include "engine/Scaling.h"
#include "support/TestSupport.h"

class CatalogueTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        IniText devices = MinimalDeviceFile();
        devices.Set("Devices", "MaxDevices", "5")
            .Set("Devices", "Device4", DeviceEntry("Slave Base").Set(43, "S").Value())
            .Set("Devices", "Device5", DeviceEntry("Icon Only").Set(5, "0").Value());
        WriteStandardDevices(devices);
        WriteStandardPanels(MinimalPanelFile());
        WriteCables(MinimalCableFile());
        Reload();
    }
    // Empties the tables and loads the catalogue again from the files (a restart).
    void Reload() {
        ResetCataloguePreferences();
        ResetCableCatalogue();
        ResetDeviceCatalogue();
        ASSERT_TRUE(LoadDeviceCatalogue() && LoadPanelCatalogue() && LoadCableCatalogue());
        LoadStandardDevices();
        LoadUnits();
        ASSERT_TRUE(SelectPanelByName("Acme 8"));
    }
    // The messages shown so far, one a line, and forgets them.
    std::string TakeMessages() {
        const std::string texts = platform.AllMessageTexts();
        platform.messages.clear();
        return texts;
    }
};
