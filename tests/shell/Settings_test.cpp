#include "shell/Settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <random>

#include "shell/ErrorHandler.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;

namespace {

class SettingsTest : public ScriptedTest {
protected:
    // Points the store at a copy of the settings file in another folder, as a new run of the
    // program would find it, so that reads come from the disk and not from memory.
    void ReopenFromDisk() {
        const std::string copyDir = temp.File("config-copy" + std::to_string(++copies_));
        fs::create_directories(copyDir);
        fs::copy_file(SettingsFilePath(), JoinPath(copyDir, "settings.ini"));
        AppPaths p = Paths();
        p.configDir = copyDir;
        SetPaths(p);
    }

    // Replaces the settings file as an editor or another program would.
    void WriteSettingsFile(const std::string& content) {
        temp.Write("config/settings.ini", content);
    }

    // Expects the write to throw a RuntimeFault with this number and description.
    template <typename Write>
    void ExpectFault(Write write, long number, const std::string& description) {
        try {
            write();
            ADD_FAILURE() << "no fault for: " << description;
        } catch (const RuntimeFault& fault) {
            EXPECT_EQ(fault.number, number);
            EXPECT_EQ(fault.description, description);
        }
    }

private:
    int copies_ = 0;
};

}  // namespace

TEST_F(SettingsTest, KeyAndFileLocation) {
    EXPECT_EQ(SettingsKey(), "Software\\Tarvex\\Tarvex Quelmar");
    EXPECT_EQ(SettingsFilePath(), paths.configDir + "/settings.ini");
}

TEST_F(SettingsTest, MissingValuesReadAsDefaultsAndReadingCreatesNothing) {
    fs::remove_all(paths.configDir);
    EXPECT_EQ(ReadSettingText("LastPanel"), "");
    EXPECT_EQ(ReadSettingNumber("Units"), 0);
    EXPECT_FALSE(ReadSettingFlag("FirstTimeDone"));
    EXPECT_FALSE(SettingExists("FirstTimeDone"));
    EXPECT_FALSE(fs::exists(paths.configDir));
}

TEST_F(SettingsTest, TextsRoundTripThroughTheFileUnchanged) {
    const std::vector<std::pair<std::string, std::string>> texts = {
        {"LastPanel", "Unknown Panel"},
        {"QMR Path", "  /home/user/My Designs  "},
        {"Form State", "\"Maximized\""},
        {"mFileRecent1", "C:\\Designs\\site.QMR"},
        {"mFileRecent2",
         "line one\nline two\r\n[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:1"},
        {"mFileRecent3", "tab\there, bell\a, del\x7F, nul" + std::string(1, '\0') + "end"},
        {"mFileRecent4", "µA at 20°C = x; [y]"},
        {"LatestVersion", ""},
        {"Trailing backslash", "ends with \\"},
    };
    for (const auto& [name, text] : texts)
        WriteSettingText(name, text);
    for (const auto& [name, text] : texts)
        EXPECT_EQ(ReadSettingText(name), text) << name;
    ReopenFromDisk();
    for (const auto& [name, text] : texts)
        EXPECT_EQ(ReadSettingText(name), text) << name;
    // The text with line breaks must not have added a second Units value or section.
    EXPECT_FALSE(SettingExists("Units"));
}

TEST_F(SettingsTest, RandomTextsRoundTrip) {
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> length(0, 60), byte(0, 255);
    std::vector<std::string> texts;
    for (int i = 0; i < 200; ++i) {
        std::string t;
        for (int n = length(rng); n > 0; --n)
            t += static_cast<char>(byte(rng));
        texts.push_back(t);
    }
    {
        SettingsBatch batch;
        for (std::size_t i = 0; i < texts.size(); ++i)
            WriteSettingText("Text" + std::to_string(i), texts[i]);
        batch.Commit();
    }
    ReopenFromDisk();
    for (std::size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(ReadSettingText("Text" + std::to_string(i)), texts[i]);
}

TEST_F(SettingsTest, NumbersAndFlagsRoundTrip) {
    const std::int32_t numbers[] = {0,
                                    1,
                                    -1,
                                    7,
                                    10000,
                                    std::numeric_limits<std::int32_t>::max(),
                                    std::numeric_limits<std::int32_t>::min()};
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        WriteSettingNumber("N" + std::to_string(i), numbers[i]);
    WriteSettingFlag("FirstTimeDone", true);
    WriteSettingFlag("DontShowFamily3", false);
    ReopenFromDisk();
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(ReadSettingNumber("N" + std::to_string(i)), numbers[i]);
    EXPECT_TRUE(ReadSettingFlag("FirstTimeDone"));
    EXPECT_EQ(ReadSettingNumber("FirstTimeDone"), -1);  // true is stored as -1
    EXPECT_FALSE(ReadSettingFlag("DontShowFamily3"));
    EXPECT_TRUE(SettingExists("DontShowFamily3"));  // false exists, unlike a missing flag
    EXPECT_EQ(ReadSettingNumber("DontShowFamily3"), 0);
    // Any non-zero number reads as true.
    EXPECT_TRUE(ReadSettingFlag("N1"));
    EXPECT_TRUE(ReadSettingFlag("N3"));
    EXPECT_TRUE(ReadSettingFlag("N6"));
    EXPECT_FALSE(ReadSettingFlag("N0"));
}

TEST_F(SettingsTest, TextsAndNumbersAreKeptApart) {
    WriteSettingText("Units", "1");
    WriteSettingText("FirstTimeDone", "-1");
    WriteSettingNumber("LastPanel", 42);
    EXPECT_EQ(ReadSettingNumber("Units"), 0);
    EXPECT_FALSE(ReadSettingFlag("FirstTimeDone"));
    EXPECT_EQ(ReadSettingText("LastPanel"), "");
    // A value changes its type when written with the other type.
    WriteSettingNumber("Units", 1);
    EXPECT_EQ(ReadSettingNumber("Units"), 1);
    EXPECT_EQ(ReadSettingText("Units"), "");
}

TEST_F(SettingsTest, NamesMatchWithoutCaseAndAWriteReplacesTheValueInPlace) {
    WriteSettingNumber("Units", 1);
    WriteSettingText("LastPanel", "A");
    WriteSettingNumber("UNITS", 0);
    EXPECT_EQ(ReadSettingNumber("units"), 0);
    EXPECT_EQ(ReadWholeFile(SettingsFilePath()),
              "[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:0\nLastPanel=text:A\n");
}

TEST_F(SettingsTest, DeletingAValueMakesItMissing) {
    WriteSettingNumber("Form Width", 640);
    WriteSettingNumber("Form Height", 480);
    DeleteSetting("form width");
    DeleteSetting("Never Written");
    EXPECT_FALSE(SettingExists("Form Width"));
    EXPECT_EQ(ReadSettingNumber("Form Width"), 0);
    ReopenFromDisk();
    EXPECT_FALSE(SettingExists("Form Width"));
    EXPECT_EQ(ReadSettingNumber("Form Height"), 480);
}

TEST_F(SettingsTest, DamagedOrHandEditedValuesReadAsDefaults) {
    WriteSettingsFile(
        "Units=number:1\r\n"  // before any section: not a setting
        "[Other]\r\nLastPanel=text:wrong section\r\n"
        "[ software\\tarvex\\tarvex quelmar ]\r\n"
        "; LastCalcType=number:3\r\n"
        "Form Width = number:800 \r\n"
        "Form Height=number:12abc\r\n"
        "LastCableImpedance=number:99999999999\r\n"
        "LastCalcType=number:\r\n"
        "LatestVersion=text:bad \\q escape\r\n"
        "Form State=text:ends in \\\r\n"
        "mFileRecent1=text:short \\x4\r\n"
        "mFileRecent2=TEXT:upper-case tag\r\n"
        "mFileRecent3=just words\r\n"
        "CableGroup1=number:-1\r\n"
        "cablegroup1=number:0\r\n"
        "=number:5\r\n"
        "no equals sign here\r\n");
    EXPECT_EQ(ReadSettingNumber("Units"), 0);
    EXPECT_EQ(ReadSettingText("LastPanel"), "");
    EXPECT_EQ(ReadSettingNumber("LastCalcType"), 0);
    EXPECT_EQ(ReadSettingNumber("Form Width"), 800);
    EXPECT_EQ(ReadSettingNumber("Form Height"), 0);
    EXPECT_EQ(ReadSettingNumber("LastCableImpedance"), 0);
    EXPECT_EQ(ReadSettingText("LatestVersion"), "");
    EXPECT_EQ(ReadSettingText("Form State"), "");
    EXPECT_EQ(ReadSettingText("mFileRecent1"), "");
    EXPECT_EQ(ReadSettingText("mFileRecent2"), "upper-case tag");
    EXPECT_EQ(ReadSettingText("mFileRecent3"), "");
    EXPECT_TRUE(ReadSettingFlag("CableGroup1"));  // the first of two values counts
}

TEST_F(SettingsTest, BinaryJunkNeverBreaksReadsAndAWriteRebuildsAValidFile) {
    std::mt19937 rng(777);
    std::uniform_int_distribution<int> byte(0, 255);
    const char* pieces[] = {"[Software\\Tarvex\\Tarvex Quelmar]\n",
                            "Units=number:1\n",
                            "=",
                            "\n",
                            "\r",
                            "text:",
                            "number:",
                            "\\",
                            "[",
                            "]"};
    for (int round = 0; round < 100; ++round) {
        std::string junk;
        for (int i = 0; i < 200; ++i) {
            if (byte(rng) < 40)
                junk += pieces[byte(rng) % std::size(pieces)];
            else
                junk += static_cast<char>(byte(rng));
        }
        WriteSettingsFile(junk);
        const std::int32_t units = ReadSettingNumber("Units");
        EXPECT_TRUE(units == 0 || units == 1);
        (void)ReadSettingText("Units");
        (void)ReadSettingFlag("FirstTimeDone");
    }
    using namespace std::string_literals;
    WriteSettingsFile(
        "\x00\xFF\xFE\n[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:1\n\x01\x02"s);
    WriteSettingText("LastPanel", "Panel");
    ReopenFromDisk();
    EXPECT_EQ(ReadSettingNumber("Units"), 1);  // the readable value survives the rewrite
    EXPECT_EQ(ReadSettingText("LastPanel"), "Panel");
    EXPECT_EQ(ReadWholeFile(SettingsFilePath()),
              "[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:1\nLastPanel=text:Panel\n");
}

TEST_F(SettingsTest, AFileChangedOnDiskIsReadAgain) {
    WriteSettingNumber("Units", 1);
    EXPECT_EQ(ReadSettingNumber("Units"), 1);
    WriteSettingsFile("[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:0\nLastPanel=text:Other\n");
    EXPECT_EQ(ReadSettingNumber("Units"), 0);
    EXPECT_EQ(ReadSettingText("LastPanel"), "Other");
    // A write keeps what the other writer stored.
    WriteSettingNumber("LastCalcType", 2);
    EXPECT_EQ(ReadSettingText("LastPanel"), "Other");
    fs::remove(SettingsFilePath());
    EXPECT_EQ(ReadSettingNumber("LastCalcType"), 0);
}

TEST_F(SettingsTest, AConfigFolderThatCannotBeCreatedGivesTheCreateKeyFault) {
    temp.Write("blocker", "a regular file");
    AppPaths p = paths;
    p.configDir = temp.File("blocker/config");
    SetPaths(p);
    ExpectFault([] { WriteSettingText("LastPanel", "A"); }, kSettingsCreateKeyError,
                "Failed to create registry Key: 'Software\\Tarvex\\Tarvex Quelmar'");
    ExpectFault([] { WriteSettingFlag("FirstTimeDone", true); }, kSettingsCreateKeyError,
                "Failed to create registry Key: 'Software\\Tarvex\\Tarvex Quelmar'");
    EXPECT_EQ(ReadSettingText("LastPanel"), "");
}

TEST_F(SettingsTest, AFileThatCannotBeWrittenGivesTheSetValueFaultAndChangesNothing) {
    WriteSettingText("LastPanel", "Old Panel");
    fs::remove(SettingsFilePath());
    fs::create_directory(SettingsFilePath());  // a folder where the file should be
    const std::string prefix =
        "Failed to set registry value Key: 'Software\\Tarvex\\Tarvex Quelmar',Section: '" +
        paths.configDir + "/settings.ini',Key: '";
    ExpectFault([] { WriteSettingText("LastPanel", "New Panel"); }, kSettingsSetValueError,
                prefix + "LastPanel' to value: 'New Panel'");
    ExpectFault([] { WriteSettingNumber("Units", 1); }, kSettingsSetValueError,
                prefix + "Units' to value: '1'");
    ExpectFault([] { WriteSettingFlag("FirstTimeDone", true); }, kSettingsSetValueError,
                prefix + "FirstTimeDone' to value: '-1'");
    EXPECT_EQ(ReadSettingNumber("Units"), 0);
    EXPECT_FALSE(SettingExists("FirstTimeDone"));
    // No temporary files are left behind.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(paths.configDir))
        ++entries;
    EXPECT_EQ(entries, 1u);
}

TEST_F(SettingsTest, ANameThatCannotBeStoredIsRefused) {
    const std::string prefix =
        "Failed to set registry value Key: 'Software\\Tarvex\\Tarvex Quelmar',Section: '" +
        SettingsFilePath() + "',Key: '";
    ExpectFault([] { WriteSettingNumber("a=b", 1); }, kSettingsSetValueError,
                prefix + "a=b' to value: '1'");
    ExpectFault([] { WriteSettingNumber("two\nlines", 1); }, kSettingsSetValueError,
                prefix + "two\nlines' to value: '1'");
    ExpectFault([] { WriteSettingText("[Section]", "x"); }, kSettingsSetValueError,
                prefix + "[Section]' to value: 'x'");
    ExpectFault([] { WriteSettingText("", "x"); }, kSettingsSetValueError,
                prefix + "' to value: 'x'");
    EXPECT_FALSE(fs::exists(SettingsFilePath()));
}

TEST_F(SettingsTest, ABatchWritesOnceOnCommitAndDiscardsWithoutIt) {
    WriteSettingNumber("Units", 1);
    const std::string before = ReadWholeFile(SettingsFilePath());
    {
        SettingsBatch batch;
        WriteSettingNumber("Units", 0);
        WriteSettingText("LastPanel", "P");
        EXPECT_EQ(ReadSettingNumber("Units"), 0);  // reads see the batch
        EXPECT_EQ(ReadWholeFile(SettingsFilePath()), before);
    }
    EXPECT_EQ(ReadSettingNumber("Units"), 1);
    EXPECT_FALSE(SettingExists("LastPanel"));
    {
        SettingsBatch batch;
        WriteSettingText("LastPanel", "P");
        batch.Commit();
    }
    ReopenFromDisk();
    EXPECT_EQ(ReadSettingText("LastPanel"), "P");
    EXPECT_EQ(ReadSettingNumber("Units"), 1);
}

TEST_F(SettingsTest, AFailedBatchCommitThrowsAndRestoresTheValues) {
    WriteSettingNumber("Units", 1);
    SettingsBatch batch;
    WriteSettingNumber("Units", 0);
    WriteSettingText("LastPanel", "P");
    // The config folder goes away while the batch is open, and comes back unchanged afterwards.
    const std::string moved = temp.File("config-moved");
    fs::rename(paths.configDir, moved);
    temp.Write("config", "now a regular file");
    ExpectFault([&] { batch.Commit(); }, kSettingsCreateKeyError,
                "Failed to create registry Key: 'Software\\Tarvex\\Tarvex Quelmar'");
    fs::remove(paths.configDir);
    fs::rename(moved, paths.configDir);
    EXPECT_EQ(ReadSettingNumber("Units"), 1);
    EXPECT_FALSE(SettingExists("LastPanel"));
}

TEST_F(SettingsTest, LastFolderFallsBackToTheDocumentsFolderCreatedWhenMissing) {
    ASSERT_FALSE(fs::exists(paths.documentsDir));
    EXPECT_EQ(GetLastFolder(), paths.documentsDir);
    EXPECT_TRUE(fs::is_directory(paths.documentsDir));
    SetLastFolder("/srv/designs/site one/Plant.QMR");
    EXPECT_EQ(ReadSettingText("QMR Path"), "/srv/designs/site one");
    EXPECT_EQ(GetLastFolder(), "/srv/designs/site one");
    WriteSettingText("QMR Path", "");
    EXPECT_EQ(GetLastFolder(), paths.documentsDir);
}
