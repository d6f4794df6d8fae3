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
}

TEST_F(ConfigWriterTest, CableRunsAreWrittenInDecimetresAndInMetresRoundedHalfUp) {
    Loop(1).CableFirst(1234);
    Loop(1).CableTotal(1235);
    Loop(2).CableFirst(5);
    const std::string file = Save();
    const auto loop1 = SectionLines(file, "Loop1");
    EXPECT_EQ(std::vector<std::string>(loop1.begin() + 1, loop1.begin() + 5),
              (std::vector<std::string>{"CableFirstRun=123", "CableFirstLength=1234",
                                        "CableMaxRun=124", "CableTotalLength=1235"}));
    EXPECT_EQ(SectionLines(file, "Loop2")[1], "CableFirstRun=1");
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
