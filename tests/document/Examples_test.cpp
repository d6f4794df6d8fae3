// The example designs open cleanly with the shipped reference data and give their verdicts.
#include <gtest/gtest.h>

#include "catalogue/Cables.h"
#include "catalogue/CatalogueStartup.h"
#include "catalogue/DeviceTypes.h"
#include "catalogue/OtherDevices.h"
#include "catalogue/Panels.h"
#include "document/CalcGlue.h"
#include "document/ConfigReader.h"
#include "document/ConfigWriter.h"
#include "document/DesignDocument.h"
#include "document/DocumentFixtures.h"
#include "document/DocumentRules.h"
#include "engine/clsCalculator.h"
#include "support/TestSupport.h"

namespace {

const std::string kExamples = std::string(QUELMAR_SOURCE_DATA_DIR) + "/../examples/";

class ExamplesTest : public ScriptedTest {
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
        NewDocument();
        ResetOtherDevices();
        ResetDeviceCatalogue();
        ResetPanelCatalogue();
        ResetCableCatalogue();
        ScriptedTest::TearDown();
    }

    SilentOpenProgress progress;
    ScriptedUnknownPrompt unknown;

    // Opens an example; it must open without a single message or question.
    void OpenExample(const std::string& name) {
        const OpenResult result = OpenConfigurationFile(kExamples + name, false, progress, unknown);
        ASSERT_EQ(result.outcome, OpenOutcome::Opened) << platform.AllMessageTexts();
        ASSERT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
        EXPECT_FALSE(CurrentDocument().DataChanged);
    }

    static clsCalculator& Loop(int n) { return CurrentDocument().LoopModel(n); }
    static std::string PanelName() {
        return PanelTable[static_cast<std::size_t>(GetCurrentPanel())].PanelName;
    }
    static int Other(const char* key) { return FindOtherByKey(key); }
    static int HighestDevice(int loop) {
        int highest = -1;
        for (int a = 0; a < 256; ++a)
            if (Loop(loop).DeviceType(a) != 0) highest = a;
        return highest;
    }

    // Saving the opened example gives the example's own bytes back.
    void ExpectResavedUnchanged(const std::string& name) {
        const std::string copy = temp.File(name);
        ASSERT_TRUE(SaveConfigurationFile(copy));
        EXPECT_EQ(ReadWholeFile(copy), ReadWholeFile(kExamples + name));
    }
};

TEST_F(ExamplesTest, TheOneLoopOfficePasses) {
    OpenExample("Office.QMR");
    EXPECT_EQ(PanelName(), "Northgate NG-1");
    EXPECT_EQ(CurrentDocument().LoopName(1), "Ground and First Floor");
    EXPECT_EQ(Loop(1).QtyDevices(), 34);
    EXPECT_EQ(Loop(1).LoopDesign(), clsCalculator::kSatisfactory);
    EXPECT_EQ(OverallDesignText(), "Design Satisfactory");
    ExpectResavedUnchanged("Office.QMR");
}

TEST_F(ExamplesTest, TheWarehouseFailsOnVoltDropOnOneLoopAndOnAlarmCurrentOnAnother) {
    OpenExample("Warehouse.QMR");
    EXPECT_EQ(PanelName(), "Northgate NG-4 Plus");
    EXPECT_EQ(Loop(1).LoopDesign(), clsCalculator::kSatisfactory);
    EXPECT_EQ(Loop(2).LoopDesign(), clsCalculator::kVoltDropTooHigh);
    EXPECT_EQ(Loop(2).LoopDesignShort(), "Volt Drop Too High");
    EXPECT_EQ(Loop(3).LoopDesign(), clsCalculator::kAlarmCurrentTooHigh);
    EXPECT_EQ(Loop(3).LoopDesignShort(), "Alarm Current Too High");
    EXPECT_EQ(Loop(4).LoopDesign(), clsCalculator::kSatisfactory);
    EXPECT_EQ(OverallDesignText(), "Design Not Satisfactory");
    ExpectResavedUnchanged("Warehouse.QMR");
}

TEST_F(ExamplesTest, TheHospitalUsesEightLoopsOfA252AddressPanel) {
    OpenExample("Hospital.QMR");
    EXPECT_EQ(PanelTable[static_cast<std::size_t>(GetCurrentPanel())].MaxDevicesPerLoop, 252);
    for (int loop = 1; loop <= 8; ++loop) {
        EXPECT_GT(HighestDevice(loop), 128) << "loop " << loop;
        EXPECT_EQ(Loop(loop).LoopDesign(), clsCalculator::kSatisfactory) << "loop " << loop;
    }
    EXPECT_EQ(Loop(1).QtyAddressableSlaveBases(), 20);         // sounder base slaves
    EXPECT_EQ(Loop(2).QtyOthers(Other("IsolatingBase")), 11);  // bases
    EXPECT_EQ(Loop(2).QtyOthers(Other("StandaloneIsolator")), 3);
    EXPECT_FALSE(Loop(2).AddressesAreInOrder());  // a rearranged cable route
    EXPECT_EQ(Loop(2).AddressOrder(155), 150);
    EXPECT_EQ(Loop(3).QtyOthers(Other("SlaveSounder")), 8);  // tied to the master sounder
    EXPECT_EQ(Loop(4).QtyOthers(Other("RemoteLED")), 10);    // remote indicators
    EXPECT_EQ(Loop(4).QtyOthers(Other("SounderBase")), 4);
    EXPECT_EQ(OverallDesignText(), "Design Satisfactory");
    ExpectResavedUnchanged("Hospital.QMR");
}

TEST_F(ExamplesTest, TheOlderLayoutLibrarySpreadsItsCountedDevicesOnOpening) {
    OpenExample("OldLibrary.QMR");
    EXPECT_EQ(PanelName(), "Brandell BX-2");
    EXPECT_EQ(Loop(1).CableFirst(), 150);  // whole metres in older files
    EXPECT_EQ(Loop(1).CableTotal(), 3200);
    EXPECT_EQ(Loop(1).QtyOthers(Other("RemoteLED")), 3);
    EXPECT_EQ(Loop(1).QtyOthers(Other("RelayBase")), 4);
    EXPECT_EQ(Loop(1).QtyOthers(Other("StandaloneIsolator")), 2);
    EXPECT_EQ(Loop(1).DeviceOtherType(1), Other("RemoteLED"));  // lowest addresses first
    EXPECT_EQ(Loop(2).QtyOthers(Other("BackBox")), 2);
    EXPECT_EQ(Loop(2).QtyOthers(Other("IsolatingBase")), 2);
    EXPECT_EQ(Loop(2).QtyOthers(Other("SlaveSounder")), 3);
    int master = -1;
    for (int a = 0; a < 256 && master < 0; ++a)
        if (DeviceTypeTable[static_cast<std::size_t>(Loop(2).DeviceType(a))].IsMaster) master = a;
    EXPECT_EQ(Loop(2).DeviceStandaloneAddress(1, 4), master);
    EXPECT_EQ(OverallDesignText(), "Design Satisfactory");

    // Saved again, the file has the full layout and opens to the same design.
    const std::string resaved = temp.File("Library.QMR");
    ASSERT_TRUE(SaveConfigurationFile(resaved));
    const std::string text = ReadWholeFile(resaved);
    EXPECT_NE(text.find("\r\nDeviceBetween1="), std::string::npos);
    EXPECT_NE(text.find("\r\nCableFirstLength=150\r\n"), std::string::npos);
    ASSERT_EQ(OpenConfigurationFile(resaved, false, progress, unknown).outcome,
              OpenOutcome::Opened);
    EXPECT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
    EXPECT_EQ(Loop(1).QtyOthers(Other("RelayBase")), 4);
    EXPECT_EQ(Loop(2).DeviceStandaloneAddress(1, 4), master);
}

}  // namespace
