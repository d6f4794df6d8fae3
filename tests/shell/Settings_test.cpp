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
        {"QMR Path", "  /home/user/My Designs  "},
        {"mFileRecent2",
         "line one\nline two\r\n[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:1"},
        {"Trailing backslash", "ends with \\"},
    };
    for (const auto& [name, text] : texts)
        WriteSettingText(name, text);
    ReopenFromDisk();
    for (const auto& [name, text] : texts)
        EXPECT_EQ(ReadSettingText(name), text) << name;
    // The text with line breaks must not have added a second Units value or section.
    EXPECT_FALSE(SettingExists("Units"));

    // Random bytes, written in one batch, come back as they were.
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> length(0, 60), byte(0, 255);
    std::vector<std::string> random(200);
    {
        SettingsBatch batch;
        for (std::size_t i = 0; i < random.size(); ++i) {
            for (int n = length(rng); n > 0; --n)
                random[i] += static_cast<char>(byte(rng));
            WriteSettingText("Text" + std::to_string(i), random[i]);
        }
        batch.Commit();
    }
    ReopenFromDisk();
    for (std::size_t i = 0; i < random.size(); ++i)
        EXPECT_EQ(ReadSettingText("Text" + std::to_string(i)), random[i]);
}

TEST_F(SettingsTest, NumbersAndFlagsRoundTripApartFromTextsAndNamesMatchWithoutCase) {
    // A text is no number and a number no text; a write replaces the value in place.
    WriteSettingText("Units", "1");
    WriteSettingNumber("LastPanel", 42);
    EXPECT_EQ(ReadSettingNumber("Units"), 0);
    EXPECT_EQ(ReadSettingText("LastPanel"), "");
    WriteSettingNumber("UNITS", 0);
    WriteSettingText("lastpanel", "A");
    EXPECT_EQ(ReadSettingNumber("units"), 0);
    EXPECT_EQ(ReadWholeFile(SettingsFilePath()),
              "[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:0\nLastPanel=text:A\n");

    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    const std::int32_t numbers[] = {0, -1, kMax, -kMax - 1};
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        WriteSettingNumber("N" + std::to_string(i), numbers[i]);
    WriteSettingFlag("FirstTimeDone", true);
    WriteSettingFlag("DontShowFamily3", false);
    WriteSettingNumber("Form Width", 640);
    WriteSettingNumber("Form Height", 480);
    DeleteSetting("form width");
    ReopenFromDisk();
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        EXPECT_EQ(ReadSettingNumber("N" + std::to_string(i)), numbers[i]);
    EXPECT_TRUE(ReadSettingFlag("FirstTimeDone"));
    EXPECT_EQ(ReadSettingNumber("FirstTimeDone"), -1);  // true is stored as -1
    EXPECT_FALSE(ReadSettingFlag("DontShowFamily3"));
    EXPECT_TRUE(SettingExists("DontShowFamily3"));  // false exists, unlike a missing flag
    EXPECT_TRUE(ReadSettingFlag("N2"));             // any non-zero number reads as true
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
        "LatestVersion=text:bad \\q escape\r\n"
        "Form State=text:ends in \\\r\n"
        "mFileRecent2=TEXT:upper-case tag\r\n"
        "mFileRecent3=just words\r\n"
        "CableGroup1=number:-1\r\n"
        "cablegroup1=number:0\r\n"
        "=number:5\r\n"
        "no equals sign here\r\n");
    const std::vector<std::pair<const char*, std::int32_t>> numbers = {
        {"Units", 0},       {"LastCalcType", 0},       {"Form Width", 800},
        {"Form Height", 0}, {"LastCableImpedance", 0}, {"CableGroup1", -1}};  // the first counts
    for (const auto& [name, number] : numbers)
        EXPECT_EQ(ReadSettingNumber(name), number) << name;
    const std::vector<std::pair<const char*, const char*>> texts = {
        {"LastPanel", ""},
        {"LatestVersion", ""},
        {"Form State", ""},
        {"mFileRecent3", ""},
        {"mFileRecent2", "upper-case tag"}};
    for (const auto& [name, text] : texts)
        EXPECT_EQ(ReadSettingText(name), text) << name;
}

TEST_F(SettingsTest, BinaryJunkNeverBreaksReadsAndAWriteRebuildsAValidFile) {
    std::mt19937 rng(777);
    std::uniform_int_distribution<int> byte(0, 255);
    const char* pieces[] = {"[Software\\Tarvex\\Tarvex Quelmar]\n", "Units=number:1\n", "=\n\r",
                            "text:number:\\[]"};
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

// A name that cannot stay one name on one key line. (A config folder that cannot be created
// is the failed batch commit.)
TEST_F(SettingsTest, AWriteThatCannotBeStoredGivesItsFaultAndChangesNothing) {
    ExpectFault([] { WriteSettingNumber("a=b", 1); }, kSettingsSetValueError,
                "Failed to set registry value Key: 'Software\\Tarvex\\Tarvex Quelmar',Section: '" +
                    SettingsFilePath() + "',Key: 'a=b' to value: '1'");
    EXPECT_FALSE(fs::exists(SettingsFilePath()));
}

// Without a commit, and after a failed one, the values before the batch are back.
TEST_F(SettingsTest, ABatchWritesNothingUntilCommitAndRestoresTheValuesWithoutOne) {
    WriteSettingNumber("Units", 1);
    const std::string before = ReadWholeFile(SettingsFilePath());
    for (const bool commit : {false, true}) {
        {
            SettingsBatch batch;
            WriteSettingNumber("Units", 0);
            WriteSettingText("LastPanel", "P");
            EXPECT_EQ(ReadSettingNumber("Units"), 0);  // reads see the batch
            EXPECT_EQ(ReadWholeFile(SettingsFilePath()), before);
            if (commit) {
                // The config folder goes away during the batch and comes back afterwards.
                const std::string moved = temp.File("config-moved");
                fs::rename(paths.configDir, moved);
                temp.Write("config", "now a regular file");
                ExpectFault([&] { batch.Commit(); }, kSettingsCreateKeyError,
                            "Failed to create registry Key: 'Software\\Tarvex\\Tarvex Quelmar'");
                fs::remove(paths.configDir);
                fs::rename(moved, paths.configDir);
            }
        }
        EXPECT_EQ(ReadSettingNumber("Units"), 1) << commit;
        EXPECT_FALSE(SettingExists("LastPanel")) << commit;
    }
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
