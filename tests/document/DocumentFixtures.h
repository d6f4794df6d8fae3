#pragma once
// A document test: a scripted platform, temporary folders, and a small catalogue in memory with
// the kinds of devices a configuration file names (standard and user-defined types, a type
// without an icon, master and slave bases, a remote-output device; ancillaries, remote
// indicators, bases, standalone devices), two panels and a cable.
//
// Other devices are numbered in the order "read" and then stand in the table in another order,
// as the catalogue's sort leaves them, so that a file's catalogue numbers differ from table places.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/Cables.h"
#include "catalogue/CatalogueStartup.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/Options.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/Panels.h"
#include "document/CalcGlue.h"
#include "document/ConfigReader.h"
#include "document/DesignDocument.h"
#include "document/DocumentRules.h"
#include "engine/EngineFixtures.h"
#include "shell/FileRead.h"
#include "shell/FileWrite.h"
#include "shell/ProfileFile.h"
#include "support/TestSupport.h"

// Answers the unknown-device question from a list, recording each question.
class ScriptedUnknownPrompt : public IgnoreUnknownPrompt {
public:
    std::string answers;  // consumed from the front; 'Y' when empty
    std::vector<std::string> questions;
    char UnknownResponse(std::int16_t l, std::int16_t s, std::int16_t T) override {
        questions.push_back(UnknownDeviceText(l, s, T));
        if (answers.empty()) return 'Y';
        const char answer = answers.front();
        answers.erase(0, 1);
        return answer;
    }
};

// Records what the main window would show.
class RecordingMainWindow : public MainWindowView {
public:
    std::vector<std::string> captions;
    std::map<int, SummaryRow> rows;  // by loop
    SummaryRow totals;
    std::optional<bool> alarmNote;
    void ShowCaption(const std::string& c) override { captions.push_back(c); }
    void ShowSiteName(const std::string&) override {}
    void ShowPanelChoice() override {}
    void ShowLoopRow(int loop, const SummaryRow& row) override { rows[loop] = row; }
    void ShowTotalsRow(const SummaryRow& row) override { totals = row; }
    void ShowAlarmNote(bool visible) override { alarmNote = visible; }
};

class DocumentTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        ResetPanelCatalogue();
        PanelTable.push_back(Panel("Test Panel", 8, 20));
        PanelTable.push_back(Panel("Unknown Panel", 8, 10));
        UnknownPanelIndex = 1;
        SetCurrentPanel(0);
        SetLastCalcType(0);
        SetLastCableImpedance(1810);
        cat.AddCable("Test cable", 1810, true);

        detector = Named(Device(300, 5000), "Detector");
        sounder = Named(Device(400, 20000), "Sounder");
        DeviceTypeRecord custom = Device(250, 4000);
        custom.IsCustom = true;
        customDetector = Named(custom, "My Detector");
        DeviceTypeRecord noIcon = Device(0, 0);
        noIcon.IconNumber = 0;
        iconless = Named(noIcon, "Hidden Type");
        DeviceTypeRecord master = Device(100, 100);
        master.NoOtherDevices = true;
        master.IsMaster = true;
        masterBase = Named(master, "Master Base");
        DeviceTypeRecord slave = Device(150, 150);
        slave.NoOtherDevices = true;
        slave.IsSlave = true;
        slaveBase = Named(slave, "Slave Base");
        DeviceTypeRecord remoteDriver = DeviceWithOutput(3000, kRemoteOutput, 500);
        remoteDriver.BaseType = 2;
        outputUnit = Named(remoteDriver, "Output Unit");
        DeviceTypeRecord plain = Device(200, 200);
        plain.NoOtherDevices = true;
        closedType = Named(plain, "Closed Unit");
        DeviceTypeRecord masterDetector = Device(300, 5000);
        masterDetector.IsMaster = true;
        masterHead = Named(masterDetector, "Master Detector");

        // Read in this order (OtherNumber 1 to 8), then standing in the table in reverse.
        AddOtherRead(Other(100, 1000), "Ancillary", "Ancillaries", "ANC");
        AddOtherRead(Remote(), "Remote Indicator", "Remote Indicators", "REMOTE");
        AddOtherRead(BaseOther(50, 50, 5), "Isolating Base", "Isolating Bases", "ISOBASE");
        AddOtherRead(Restricted(BaseOther(10, 10), 2), "Relay Base", "Relay Bases", "RELAYBASE");
        AddOtherRead(StandaloneOther(20, 20, 10), "Loop Isolator", "Loop Isolators", "LOOPISO");
        AddOtherRead(MasterTied(StandaloneOther(30, 3000)), "Wireless Sounder", "Wireless Sounders",
                     "WSOUND");
        AddOtherRead(Custom(Other(70, 700)), "My Beacon", "My Beacons", "Custom_MYBEACON");
        AddOtherRead(Custom(BaseOther(5, 5)), "My Base", "My Bases", "Custom_MYBASE");
        std::reverse(OtherDeviceTable.begin() + 1, OtherDeviceTable.end());
        ancillary = PlaceOf(1);
        remote = PlaceOf(2);
        isolatingBase = PlaceOf(3);
        relayBase = PlaceOf(4);
        loopIsolator = PlaceOf(5);
        wirelessSounder = PlaceOf(6);
        customBeacon = PlaceOf(7);
        customBase = PlaceOf(8);

        NewDocument();
    }

    void TearDown() override {
        NewDocument();  // empty the loops while their catalogue still stands
        ResetPanelCatalogue();
        ScriptedTest::TearDown();
    }

    static ControlPanel Panel(const std::string& name, int loops, int outputs) {
        ControlPanel p;
        p.IsStandardPanel = true;
        p.PanelName = name;
        p.Loops = static_cast<std::uint8_t>(loops);
        p.AlarmLEDs = 10;
        p.RemoteLEDs = 10;
        p.Outputs = static_cast<std::uint8_t>(outputs);
        p.MaxLoopCurrent = 500;
        p.MaxTotalCurrent = 2000;
        p.MinLoopVoltage = 1700;
        p.MaxDevicesPerLoop = 126;
        return p;
    }

    std::int16_t Named(DeviceTypeRecord type, const std::string& name) {
        type.Name = name;
        return cat.AddDevice(type);
    }
    void AddOtherRead(OtherDevice other, const std::string& single, const std::string& plural,
                      const std::string& key) {
        other.SingleName = single;
        other.OtherName = plural;
        other.OtherKey = key;
        cat.AddOther(other);
    }
    static OtherDevice Remote() {
        OtherDevice o = Other(10, 2000);
        o.FromRemote = true;
        return o;
    }
    static OtherDevice Restricted(OtherDevice o, int baseType) {
        o.OtherBase = static_cast<std::uint8_t>(baseType);
        return o;
    }
    OtherDevice MasterTied(OtherDevice o) const {
        o.AddressableDevice = detector;
        return o;
    }
    static OtherDevice Custom(OtherDevice o) {
        o.OtherIsCustom = true;
        return o;
    }
    static std::int16_t PlaceOf(int number) {
        return static_cast<std::int16_t>(FindOtherByNumber(number));
    }

    clsCalculator& Loop(int n) { return CurrentDocument().LoopModel(n); }
    DesignDocument& Doc() { return CurrentDocument(); }

    OpenResult OpenFile(const std::string& path, bool readOnly = false) {
        return OpenConfigurationFile(path, readOnly, progress, unknown);
    }

    EngineCatalogue cat;
    RecordingMainWindow window;
    ScopedInstall<MainWindowView> windowInstalled{window};
    SilentOpenProgress progress;
    ScriptedUnknownPrompt unknown;
    std::int16_t detector = 0, sounder = 0, customDetector = 0, iconless = 0, masterBase = 0,
                 slaveBase = 0, outputUnit = 0, closedType = 0, masterHead = 0;
    std::int16_t ancillary = 0, remote = 0, isolatingBase = 0, relayBase = 0, loopIsolator = 0,
                 wirelessSounder = 0, customBeacon = 0, customBase = 0;
};

// A test on the shipped reference data and the example designs, opened without a window.
class ShippedDataTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        AppPaths shipped = paths;
        shipped.dataRoot = QUELMAR_SOURCE_DATA_DIR;
        SetPaths(shipped);
        ASSERT_TRUE(LoadCatalogues()) << platform.AllMessageTexts();
        ASSERT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
        NewDocument();
    }
    void TearDown() override {
        ClearReadFailure();
        ClearWriteFailure();
        ResetProfileCache();
        EXPECT_TRUE(LoadCatalogues());  // the design in memory needs its catalogue to go
        NewDocument();
        ResetOtherDevices();
        ResetDeviceCatalogue();
        ResetPanelCatalogue();
        ResetCableCatalogue();
        ScriptedTest::TearDown();
    }
    static std::string Example(const std::string& name) {
        return std::string(QUELMAR_SOURCE_DATA_DIR) + "/../examples/" + name;
    }
    // Opens a design; it must open without a single message or question.
    void Open(const std::string& path) {
        ASSERT_EQ(OpenConfigurationFile(path, false, progress, unknown).outcome,
                  OpenOutcome::Opened)
            << platform.AllMessageTexts();
        ASSERT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
    }
    static clsCalculator& Loop(int n) { return CurrentDocument().LoopModel(n); }

    SilentOpenProgress progress;
    ScriptedUnknownPrompt unknown;
};
