#include "document/ConfigWriter.h"

#include <filesystem>

#include "document/DocumentFixtures.h"
#include "shell/ProfileFile.h"

namespace {

class ConfigWriterTest : public DocumentTest {
protected:
    // Saves the design and returns the file's bytes.
    std::string Save(const std::string& name = "Plant.QMR") {
        const std::string path = temp.File(name);
        EXPECT_TRUE(SaveConfigurationFile(path)) << platform.AllMessageTexts();
        return ReadWholeFile(path);
    }

    // The lines of the saved file's section, without their CR LF.
    static std::vector<std::string> SectionLines(const std::string& file,
                                                 const std::string& section) {
        std::vector<std::string> lines;
        const std::string header = "[" + section + "]\r\n";
        std::size_t at = file.find(header);
        if (at == std::string::npos) return lines;
        at += header.size();
        while (at < file.size() && file[at] != '[') {
            const std::size_t end = file.find("\r\n", at);
            lines.push_back(file.substr(at, end - at));
            at = end + 2;
        }
        return lines;
    }
};

TEST_F(ConfigWriterTest, NamesAreQuotedSoThatBlanksSurviveAndTextIsWindows1252) {
    Doc().SiteName = "Caf\xC3\xA9 \"Nord\", Hall 2";  // é in UTF-8
    Doc().LoopName(1) = "   ";
    const std::string file = Save();
    EXPECT_NE(file.find("SiteName=\"Caf\xE9 \"Nord\", Hall 2\"\r\n"), std::string::npos);
    EXPECT_EQ(SectionLines(file, "Loop1").front(), "Name=\"   \"");
    EXPECT_EQ(SectionLines(file, "Loop2").front(), "CableImpedance=1810");  // no Name key
    EXPECT_EQ(ReadProfileString(temp.File("Plant.QMR"), "Vantra", "SiteName"),
              "Caf\xC3\xA9 \"Nord\", Hall 2");
}

TEST_F(ConfigWriterTest, CableRunsAreWrittenInDecimetresAndInMetresRoundedHalfUp) {
    Loop(1).CableFirst(1234);
    Loop(1).CableTotal(1235);
    Loop(2).CableFirst(5);
    Loop(3).CalcType(2);
    Loop(3).MaxOutput(7);
    Loop(3).DINLEDsDisabled(true);
    Loop(3).IgnoreIsolators(true);
    Loop(3).CableImpedance(-5);
    const std::string file = Save();
    const auto loop1 = SectionLines(file, "Loop1");
    EXPECT_EQ(std::vector<std::string>(loop1.begin() + 1, loop1.begin() + 5),
              (std::vector<std::string>{"CableFirstRun=123", "CableFirstLength=1234",
                                        "CableMaxRun=124", "CableTotalLength=1235"}));
    EXPECT_EQ(SectionLines(file, "Loop2")[1], "CableFirstRun=1");
    EXPECT_EQ(
        SectionLines(file, "Loop3"),
        (std::vector<std::string>{"CableImpedance=-5", "CableFirstRun=0", "CableFirstLength=0",
                                  "CableMaxRun=0", "CableTotalLength=0", "Calculation=2",
                                  "MaxOutputs=7", "DINLEDsDisabled=True", "IgnoreIsolators=True"}));
}

TEST_F(ConfigWriterTest, DeviceEntriesCarryTypeCarriedValueOthersOrderAndBase) {
    clsCalculator& loop = Loop(2);
    loop.DeviceType(5, customDetector);
    loop.DeviceOtherType(5, ancillary);
    loop.DeviceOtherBaseType(5, isolatingBase);
    loop.DeviceType(9, detector);
    loop.DeviceOtherBaseType(9, customBase);
    loop.DeviceType(12, detector);
    loop.DeviceBaseAddr(12, 40);
    loop.DeviceBaseType(12, slaveBase);
    loop.DeviceType(40, masterBase);
    Doc().DeviceCarriedValue(2, 9) = -300;
    const std::string file = Save();
    const auto lines = SectionLines(file, "Loop2");
    const std::vector<std::string> devices(lines.begin() + 9, lines.end());
    EXPECT_EQ(devices, (std::vector<std::string>{
                           "Device5=C" + std::to_string(customDetector) + ",0,1+3,5,5,0",
                           "Device9=" + std::to_string(detector) + ",-300,0+C8,9,9,0",
                           "Device12=" + std::to_string(detector) + ",0,0,12,40," +
                               std::to_string(slaveBase),
                           "Device40=" + std::to_string(masterBase) + ",0,0,40,40,0",
                           // tallies in table order: the table stands in reverse of the numbering
                           "Custom_MYBASE=1", "ISOBASE=1", "ANC=1"}));
    EXPECT_EQ(
        SectionLines(file, "CustomDevice"),
        (std::vector<std::string>{"Device" + std::to_string(customDetector) + "=My Detector"}));
    EXPECT_EQ(SectionLines(file, "CustomOther"), (std::vector<std::string>{"Other8=My Base"}));
}

TEST_F(ConfigWriterTest, UserDefinedSectionsFollowTheLoopInWhichTheyAreFirstNeeded) {
    Loop(3).DeviceType(1, customDetector);
    Loop(5).DeviceType(1, detector);
    Loop(5).DeviceOtherType(1, customBeacon);
    Loop(6).DeviceType(2, customDetector);
    const std::string file = Save();
    const auto at = [&file](const std::string& header) { return file.find("[" + header + "]"); };
    EXPECT_LT(at("Loop3"), at("CustomDevice"));
    EXPECT_LT(at("CustomDevice"), at("Loop4"));
    EXPECT_LT(at("Loop5"), at("CustomOther"));
    EXPECT_LT(at("CustomOther"), at("Loop6"));
    EXPECT_EQ(SectionLines(file, "CustomDevice").size(), 1u);  // written twice, kept once
}

TEST_F(ConfigWriterTest, StandaloneListsDropTheirTrailingCommas) {
    Loop(1).DeviceStandaloneTypeAndAddress(9, 3, loopIsolator, 17);
    Loop(1).DeviceStandaloneTypeAndAddress(10, 125, customBeacon, 0);
    Loop(1).DeviceStandaloneTypeAndAddress(11, 2, wirelessSounder, 0);
    Loop(1).DeviceStandaloneTypeAndAddress(11, 4, loopIsolator, 0);
    const std::string file = Save();
    EXPECT_NE(file.find("\r\nDeviceBetween9=,5 (17)\r\n"), std::string::npos);
    EXPECT_NE(file.find("\r\nDeviceBetween10=" + std::string(123, ',') + "C7\r\n"),
              std::string::npos);
    EXPECT_NE(file.find("\r\nDeviceBetween11=6,,5\r\n"), std::string::npos);
}

TEST_F(ConfigWriterTest, AddressesWithoutADeviceAreWrittenWhenTheyHoldAnythingElse) {
    clsCalculator& loop = Loop(4);
    loop.AddressOrder(5, 2);           // moved: slots 2 to 4 move one place on
    loop.DeviceOtherType(20, remote);  // left behind when a smaller panel removed the device
    loop.DeviceBaseAddr(21, 40);
    loop.DeviceBaseType(21, slaveBase);
    Doc().DeviceCarriedValue(4, 22) = 9;
    const std::string file = Save();
    const auto lines = SectionLines(file, "Loop4");
    const std::vector<std::string> devices(lines.begin() + 9, lines.end() - 1);
    EXPECT_EQ(devices,
              (std::vector<std::string>{
                  "Device2=0,0,0,3,2,0", "Device3=0,0,0,4,3,0", "Device4=0,0,0,5,4,0",
                  "Device5=0,0,0,2,5,0", "Device20=0,0,2,20,20,0",
                  "Device21=0,0,0,21,40," + std::to_string(slaveBase), "Device22=0,9,0,22,22,0"}));
    EXPECT_EQ(lines.back(), "REMOTE=1");
}

TEST_F(ConfigWriterTest, AFlaggedAddressIsWrittenUnderTheEavesdropKeyOnly) {
    Loop(1).DeviceType(3, detector);
    Loop(1).DeviceType(4, detector);
    Doc().DeviceEavesdropFlag(1, 3) = true;
    Doc().DeviceCarriedValue(1, 3) = 77;
    const std::string file = Save();
    const std::string type = std::to_string(detector);
    EXPECT_NE(file.find("\r\nEavesdropDevice3=" + type + ",77,0,3,3,0\r\nDevice4=" + type +
                        ",0,0,4,4,0\r\n"),
              std::string::npos);
    EXPECT_EQ(file.find("\nDevice3="), std::string::npos);
}

TEST_F(ConfigWriterTest, AReadAfterASaveSeesTheNewFileAtOnce) {
    const std::string path = temp.File("Same.QMR");
    Doc().SiteName = "AAAA";
    ASSERT_TRUE(SaveConfigurationFile(path));
    EXPECT_EQ(ReadProfileString(path, "Vantra", "SiteName"), "AAAA");
    Doc().SiteName = "BBBB";  // same size, same second
    ASSERT_TRUE(SaveConfigurationFile(path));
    EXPECT_EQ(ReadProfileString(path, "Vantra", "SiteName"), "BBBB");
}

class ConfigWriterFailureTest : public ConfigWriterTest {
protected:
    void ExpectFailure(const std::string& path) {
        Doc().DataChanged = true;
        EXPECT_FALSE(SaveConfigurationFile(path));
        EXPECT_EQ(platform.AllMessageTexts(), "Unable to save the configuration data");
        platform.messages.clear();
        EXPECT_TRUE(Doc().DataChanged);
    }
};

TEST_F(ConfigWriterFailureTest, NoFolderAShortPathOrAFolderInPlaceOfTheFileFail) {
    std::filesystem::create_directories(temp.File("Dir.QMR"));
    for (const std::string& path :
         {temp.File("missing/Plant.QMR"), std::string("ab"), temp.File("Dir.QMR")})
        ExpectFailure(path);
}

TEST_F(ConfigWriterFailureTest, AnOtherDeviceUsedMoreThan255TimesOnOneLoopLeavesTheOldFileAlone) {
    const std::string path = temp.Write("Big.QMR", "old design");
    for (int slot = 0; slot < 256; ++slot)
        Loop(1).DeviceStandaloneTypeAndAddress(slot, 2, loopIsolator, 0);
    ExpectFailure(path);
    EXPECT_EQ(ReadWholeFile(path), "old design");
    EXPECT_FALSE(std::filesystem::exists(temp.File("Big.BAK")));
}

TEST_F(ConfigWriterTest, ExactlyTwoHundredAndFiftyFiveUsesStillSave) {
    for (int slot = 0; slot < 255; ++slot)
        Loop(1).DeviceStandaloneTypeAndAddress(slot, 2, loopIsolator, 0);
    EXPECT_NE(Save().find("\r\nLOOPISO=255\r\n"), std::string::npos);
}

}  // namespace
