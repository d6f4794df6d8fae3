// Whole-file reads and writes: a failing disk or a stray file never costs the user a file.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "shell/FileRead.h"
#include "shell/FileWrite.h"
#include "shell/ProfileFile.h"
#include "support/TestSupport.h"

namespace {

class FileSafetyTest : public ScriptedTest {
protected:
    void TearDown() override {
        ClearReadFailure();
        ScriptedTest::TearDown();
    }
};

TEST_F(FileSafetyTest, AProfileFileThatCannotBeReadIsNeitherReadInPartNorOverwritten) {
    const std::string f = temp.Write("Panels.dat", "[A]\r\nKey=1\r\n[B]\r\nKey=2\r\n");
    InjectReadFailure({"Panels.dat", 12, EIO});
    EXPECT_THROW(ReadProfileString(f, "A", "Key"), RuntimeFault);
    EXPECT_FALSE(WriteProfileString(f, "C", "Key", "3"));
    EXPECT_FALSE(DeleteProfileSection(f, "A"));
    ClearReadFailure();
    EXPECT_EQ(ReadWholeFile(f), "[A]\r\nKey=1\r\n[B]\r\nKey=2\r\n");
}

TEST_F(FileSafetyTest, AWriteKeepsTheModeAndClearsOnlyItsOwnLeftOvers) {
    const std::string f = temp.Write("s.ini", "old");
    chmod(f.c_str(), 0640);
    pid_t gone = fork();  // a writer that has ended
    if (gone == 0) _exit(0);
    waitpid(gone, nullptr, 0);
    const std::string stale = temp.Write("s.ini." + std::to_string(gone) + "-a1B2c3.tmp", "x");
    const std::string alive = temp.Write("s.ini." + std::to_string(getppid()) + "-a1B2c3.tmp", "y");
    // A link planted at a temporary name is neither followed nor removed.
    const std::string victim = temp.Write("victim", "keep");
    std::filesystem::create_symlink(victim, f + "." + std::to_string(gone) + "-zzzzzz.tmp");
    ASSERT_TRUE(WriteFileAtomically(f, "new"));
    EXPECT_EQ(ReadWholeFile(f), "new");
    struct stat st {};
    ASSERT_EQ(stat(f.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_TRUE(std::filesystem::exists(alive));
    EXPECT_TRUE(std::filesystem::is_symlink(f + "." + std::to_string(gone) + "-zzzzzz.tmp"));
    EXPECT_EQ(ReadWholeFile(victim), "keep");
}

TEST_F(FileSafetyTest, AFileHeldInMemoryIsWrittenThereWithItsBackup) {
    const std::string f = temp.File("Held.QMR"), backup = temp.File("Held.BAK");
    PutMemoryFile(f, "old");
    ASSERT_TRUE(WriteFileSafely(f, "new", backup, true));
    EXPECT_EQ(MemoryFileBytes(f), "new");
    EXPECT_EQ(MemoryFileBytes(backup), "old");
    EXPECT_FALSE(std::filesystem::exists(f));
    EXPECT_FALSE(std::filesystem::exists(backup));
    ClearMemoryFiles();
}

}  // namespace
