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

TEST_F(RecentFilesTest, NewestFirstOnceEachAtMostFourAndStored) {
    EXPECT_TRUE(RecentFiles().empty());
    for (const char* f : {"/d/a.QMR", "/d/b.QMR", "/d/c.QMR", "/d/a.QMR", "/d/a.QMR", ""})
        AddRecentFile(f);  // an empty path is ignored
    EXPECT_EQ(RecentFiles(), (List{"/d/a.QMR", "/d/c.QMR", "/d/b.QMR"}));
    EXPECT_EQ(Stored(), (List{"/d/a.QMR", "/d/c.QMR", "/d/b.QMR", ""}));
    // Paths are compared exactly; a fifth distinct file pushes the oldest out; moving the last
    // entry up drops nothing.
    AddRecentFile("/d/A.QMR");
    AddRecentFile("/d/e.QMR");
    EXPECT_EQ(RecentFiles(), (List{"/d/e.QMR", "/d/A.QMR", "/d/a.QMR", "/d/c.QMR"}));
    AddRecentFile("/d/c.QMR");
    EXPECT_EQ(RecentFiles(), (List{"/d/c.QMR", "/d/e.QMR", "/d/A.QMR", "/d/a.QMR"}));
    EXPECT_EQ(Stored(), RecentFiles());
}

TEST_F(RecentFilesTest, LoadingSkipsEmptyAndRepeatedPathsAndEveryChangeIsAnnounced) {
    struct CountingView : RecentFilesView {
        int calls = 0;
        void ShowRecentFiles(const std::vector<std::string>&) override { ++calls; }
    } view;
    ScopedInstall<RecentFilesView> installed(view);
    WriteSettingText("mFileRecent1", "");
    WriteSettingText("mFileRecent2", "/b.QMR");
    WriteSettingText("mFileRecent3", "/c two.QMR");
    WriteSettingText("mFileRecent4", "/b.QMR");
    SetPaths(paths);  // the same settings, read afresh as at a restart
    LoadRecentFiles();
    EXPECT_EQ(RecentFiles(), (List{"/b.QMR", "/c two.QMR"}));
    AddRecentFile("/c two.QMR");
    EXPECT_EQ(Stored(), (List{"/c two.QMR", "/b.QMR", "", ""}));
    EXPECT_EQ(view.calls, 2);
}

TEST_F(RecentFilesTest, LongPathsLoseTheirMiddleFolders) {
    const std::string exactly40 = "/home/ann/designs/" + std::string(18, 'x') + ".QMR";
    const std::string deep = "/home/ann/projects/2024/hospital wing/loops/site.QMR";
    const std::vector<std::tuple<std::string, std::size_t, std::string>> cases = {
        {exactly40, 40, exactly40},
        {deep, 30, "/home/.../loops/site.QMR"},
        {deep, 38, "/home/.../hospital wing/loops/site.QMR"},
        {"/home/ann/an-even-longer-file-name-for-a-design.QMR", 20, "...-for-a-design.QMR"},
        {"relative/folder/deeper/still/site.QMR", 28, "relative/.../still/site.QMR"}};
    for (const auto& [path, max, shown] : cases)
        EXPECT_EQ(ShortenPathForMenu(path, max), shown) << path << " " << max;
    EXPECT_EQ(ShortenPathForMenu(exactly40), exactly40);  // 40 by default
}

TEST_F(RecentFilesTest, ShortenedPathsFitKeepTheFileNameAndNeverSplitACharacter) {
    std::mt19937 rng(4242);
    const std::string parts[] = {"a", "bc", "folder", "µ°é", "long folder name", "x"};
    for (int round = 0; round < 1000; ++round) {
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
