#include "shell/RecentFiles.h"

#include <gtest/gtest.h>

#include <random>

#include "shell/Settings.h"
#include "support/TestSupport.h"

namespace {

using List = std::vector<std::string>;

class RecentFilesTest : public ScriptedTest {
protected:
    void SetUp() override {
        ScriptedTest::SetUp();
        LoadRecentFiles();  // the list of the fresh, empty settings
    }
    static List Stored() {
        List stored;
        for (int n = 1; n <= 4; ++n)
            stored.push_back(ReadSettingText("mFileRecent" + std::to_string(n)));
        return stored;
    }
};

std::size_t Utf8Chars(const std::string& s) {
    std::size_t n = 0;
    for (const char c : s)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

bool IsValidUtf8Start(const std::string& s) {
    return s.empty() || (static_cast<unsigned char>(s[0]) & 0xC0) != 0x80;
}

}  // namespace

TEST_F(RecentFilesTest, AddingPutsNewestFirstAndStoresAllFourValues) {
    EXPECT_TRUE(RecentFiles().empty());
    AddRecentFile("/d/a.QMR");
    AddRecentFile("/d/b.QMR");
    EXPECT_EQ(RecentFiles(), (List{"/d/b.QMR", "/d/a.QMR"}));
    EXPECT_EQ(Stored(), (List{"/d/b.QMR", "/d/a.QMR", "", ""}));
}

TEST_F(RecentFilesTest, OpeningTheSameFileTwiceLeavesItOnceAtTheTop) {
    AddRecentFile("/d/a.QMR");
    AddRecentFile("/d/b.QMR");
    AddRecentFile("/d/c.QMR");
    AddRecentFile("/d/a.QMR");
    EXPECT_EQ(RecentFiles(), (List{"/d/a.QMR", "/d/c.QMR", "/d/b.QMR"}));
    AddRecentFile("/d/a.QMR");
    EXPECT_EQ(RecentFiles(), (List{"/d/a.QMR", "/d/c.QMR", "/d/b.QMR"}));
    EXPECT_EQ(Stored(), (List{"/d/a.QMR", "/d/c.QMR", "/d/b.QMR", ""}));
}

TEST_F(RecentFilesTest, AFifthDistinctFilePushesTheOldestOut) {
    for (const char* f : {"/1.QMR", "/2.QMR", "/3.QMR", "/4.QMR", "/5.QMR"})
        AddRecentFile(f);
    EXPECT_EQ(RecentFiles(), (List{"/5.QMR", "/4.QMR", "/3.QMR", "/2.QMR"}));
    EXPECT_EQ(Stored(), RecentFiles());
    // Moving the last entry up drops nothing.
    AddRecentFile("/2.QMR");
    EXPECT_EQ(RecentFiles(), (List{"/2.QMR", "/5.QMR", "/4.QMR", "/3.QMR"}));
}

TEST_F(RecentFilesTest, PathsAreComparedExactlyAndEmptyPathsIgnored) {
    AddRecentFile("/d/Site.QMR");
    AddRecentFile("/d/site.QMR");
    AddRecentFile("");
    EXPECT_EQ(RecentFiles(), (List{"/d/site.QMR", "/d/Site.QMR"}));
}

TEST_F(RecentFilesTest, LoadingSkipsEmptyValuesAndRepeatedPaths) {
    WriteSettingText("mFileRecent1", "");
    WriteSettingText("mFileRecent2", "/b.QMR");
    WriteSettingText("mFileRecent3", "/c.QMR");
    WriteSettingText("mFileRecent4", "/b.QMR");
    LoadRecentFiles();
    EXPECT_EQ(RecentFiles(), (List{"/b.QMR", "/c.QMR"}));
    AddRecentFile("/c.QMR");
    EXPECT_EQ(Stored(), (List{"/c.QMR", "/b.QMR", "", ""}));
}

TEST_F(RecentFilesTest, TheListSurvivesARestart) {
    AddRecentFile("/x/one.QMR");
    AddRecentFile("/x/two words.QMR");
    SetPaths(paths);  // the same settings, read afresh
    LoadRecentFiles();
    EXPECT_EQ(RecentFiles(), (List{"/x/two words.QMR", "/x/one.QMR"}));
}

TEST_F(RecentFilesTest, EveryChangeIsAnnounced) {
    struct CountingView : RecentFilesView {
        int calls = 0;
        void ShowRecentFiles(const std::vector<std::string>&) override { ++calls; }
    } view;
    ScopedInstall<RecentFilesView> installed(view);
    AddRecentFile("/a.QMR");
    LoadRecentFiles();
    EXPECT_EQ(view.calls, 2);
}

TEST_F(RecentFilesTest, ShortPathsAreShownWhole) {
    EXPECT_EQ(ShortenPathForMenu("/home/ann/site.QMR"), "/home/ann/site.QMR");
    const std::string exactly40 = "/home/ann/designs/" + std::string(18, 'x') + ".QMR";
    ASSERT_EQ(exactly40.size(), 40u);
    EXPECT_EQ(ShortenPathForMenu(exactly40), exactly40);
}

TEST_F(RecentFilesTest, LongPathsLoseTheirMiddleFolders) {
    EXPECT_EQ(ShortenPathForMenu("/home/ann/projects/2024/hospital wing/loops/site.QMR", 30),
              "/home/.../loops/site.QMR");
    EXPECT_EQ(ShortenPathForMenu("/home/ann/projects/2024/hospital wing/loops/site.QMR", 38),
              "/home/.../hospital wing/loops/site.QMR");
    EXPECT_EQ(ShortenPathForMenu("/home/ann/a/very-long-file-name-for-a-design.QMR", 40),
              ".../very-long-file-name-for-a-design.QMR");
    EXPECT_EQ(ShortenPathForMenu("/home/ann/an-even-longer-file-name-for-a-design.QMR", 20),
              "...-for-a-design.QMR");
    EXPECT_EQ(ShortenPathForMenu("relative/folder/deeper/still/site.QMR", 28),
              "relative/.../still/site.QMR");
}

TEST_F(RecentFilesTest, ShortenedPathsFitKeepTheFileNameAndNeverSplitACharacter) {
    std::mt19937 rng(4242);
    const std::string parts[] = {"a", "bc", "folder", "µ°é", "long folder name", "x"};
    for (int round = 0; round < 2000; ++round) {
        std::string path;
        const int depth = 1 + static_cast<int>(rng() % 8);
        for (int i = 0; i < depth; ++i)
            path += "/" + parts[rng() % std::size(parts)];
        const std::string name = parts[rng() % std::size(parts)] + ".QMR";
        path += "/" + name;
        const std::size_t max = 10 + rng() % 40;
        const std::string shown = ShortenPathForMenu(path, max);
        EXPECT_LE(Utf8Chars(shown), max) << path;
        if (Utf8Chars(path) <= max) {
            EXPECT_EQ(shown, path);
            continue;
        }
        EXPECT_NE(shown.find("..."), std::string::npos) << path;
        if (Utf8Chars(name) + 4 <= max) {
            EXPECT_EQ(shown.substr(shown.size() - name.size() - 1), "/" + name)
                << path << " " << max;
        } else {
            EXPECT_TRUE(IsValidUtf8Start(shown.substr(3))) << path;
        }
    }
}
