#include "shell/LegacySettings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

class LegacySettingsTest : public ScriptedTest {
protected:
    std::string WriteLegacy(const std::string& content) {
        return temp.Write("config/QUELMAR.INI", content);
    }
};

}  // namespace

// The settings as "name=value" lines, of the names given; "-" for one that is absent.
std::string Stored(std::initializer_list<const char*> names) {
    std::string text;
    for (const char* name : names)
        text +=
            std::string(name) + "=" + (SettingExists(name) ? ReadSettingText(name) : "-") + "\n";
    return text;
}

TEST_F(LegacySettingsTest, EveryEntryOfTheOldFileIsCopied) {
    const std::string legacy = WriteLegacy(
        "[Options]\r\n"
        "DontShowFamily0=1\r\nDontShowFamily7=1\r\nDontShowFamily99=1\r\n"
        "FirstTime=Done\r\n"
        "Form Height=  480px\r\nForm State=Maximized\r\nForm Width=640\r\n"
        "LastCableImpedance=1810\r\nLastCalcType=2.5\r\n"  // leading number, half to even
        "RecentFile1=C:\\Designs\\One.QMR\r\nRecentFile2=C:\\Designs\\Two.QMR\r\n"
        "RecentFile3=C:\\Designs\\Three.QMR\r\nRecentFile4=C:\\Designs\\Four.QMR\r\n"
        "Units=1\r\n"
        "[Quelmar]\r\nLastPanel=Caldera \xB5Loop 2\r\n"
        "[Standard]\r\nDevice0=1\r\nDevice42=1\r\nDevice999=1\r\n");
    const std::string before = ReadWholeFile(legacy);
    MigrateIniSettings();
    EXPECT_TRUE(ReadSettingFlag("DontShowFamily0") && ReadSettingFlag("DontShowFamily7") &&
                ReadSettingFlag("DontShowFamily99") && ReadSettingFlag("FirstTimeDone") &&
                ReadSettingFlag("StandardDevice0") && ReadSettingFlag("StandardDevice42") &&
                ReadSettingFlag("StandardDevice999"));
    EXPECT_FALSE(SettingExists("DontShowFamily1") || SettingExists("StandardDevice1"));
    EXPECT_EQ(std::make_tuple(ReadSettingNumber("Form Height"), ReadSettingNumber("Form Width"),
                              ReadSettingNumber("LastCableImpedance"),
                              ReadSettingNumber("LastCalcType"), ReadSettingNumber("Units")),
              std::make_tuple(480, 640, 1810, 2, 1));
    // The old file is Windows-1252.
    EXPECT_EQ(Stored({"Form State", "LastPanel", "mFileRecent1", "mFileRecent2", "mFileRecent3",
                      "mFileRecent4"}),
              "Form State=Maximized\nLastPanel=Caldera \xC2\xB5Loop 2\n"
              "mFileRecent1=C:\\Designs\\One.QMR\nmFileRecent2=C:\\Designs\\Two.QMR\n"
              "mFileRecent3=C:\\Designs\\Three.QMR\nmFileRecent4=C:\\Designs\\Four.QMR\n");
    EXPECT_EQ(ReadWholeFile(legacy), before);  // the old file is left as it was
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(LegacySettingsTest, EntriesThatHoldNothingAreNotCopiedAndLeaveTheSettingAlone) {
    WriteSettingText("LastPanel", "Kept Panel");
    WriteLegacy(
        "[Options]\r\n"
        "DontShowFamily2=yes\r\nDontShowFamily100=1\r\n"
        "FirstTime=done\r\n"
        "Form State=\r\nForm Width=abc\r\nLastCableImpedance=0.4\r\n"
        "RecentFile1=\r\nRecentFile5=C:\\Five.QMR\r\n"
        "Units=0\r\nLastCalcType=99999999999\r\n"
        "LastPanel=Wrong Section\r\n"
        "[Quelmar]\r\nLastPanel=\r\n"
        "[Standard]\r\nDevice1=true\r\nDevice1000=1\r\n");
    MigrateIniSettings();
    for (const char* name : {"DontShowFamily2", "DontShowFamily100", "FirstTimeDone", "Form State",
                             "Form Width", "LastCableImpedance", "mFileRecent1", "mFileRecent5",
                             "Units", "LastCalcType", "StandardDevice1", "StandardDevice1000"})
        EXPECT_FALSE(SettingExists(name)) << name;
    EXPECT_EQ(ReadSettingText("LastPanel"), "Kept Panel");
}

TEST_F(LegacySettingsTest, TheCopyRepeatsAtEveryStartUntilFirstTimeDoneIsSet) {
    MigrateIniSettings();  // no old file: nothing written
    EXPECT_FALSE(fs::exists(SettingsFilePath()));
    WriteLegacy("[Options]\r\nUnits=1\r\n");
    MigrateIniSettings();
    WriteSettingNumber("Units", 0);
    MigrateIniSettings();
    EXPECT_EQ(ReadSettingNumber("Units"), 1);
    // Once done, later edits of the old file are never read again.
    WriteLegacy("[Options]\r\nFirstTime=Done\r\nUnits=1\r\n");
    MigrateIniSettings();
    ASSERT_TRUE(ReadSettingFlag("FirstTimeDone"));
    WriteLegacy("[Options]\r\nFirstTime=Done\r\nForm Width=900\r\n[Quelmar]\r\nLastPanel=L\r\n");
    MigrateIniSettings();
    EXPECT_FALSE(SettingExists("Form Width") || SettingExists("LastPanel"));
}
