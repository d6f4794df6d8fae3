// A read error never passes for a whole design, and a save never leaves the design's name without
// one complete design, whatever fails and whenever the program is killed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <filesystem>
#include <random>

#include "document/ConfigWriter.h"
#include "document/DocumentFixtures.h"

namespace {

// What the folder holds besides the fixture's own three folders.
std::size_t FilesLeft(const TempFolder& temp) {
    const std::filesystem::directory_iterator all(temp.path());
    return static_cast<std::size_t>(std::distance(begin(all), end(all))) - 3;
}

TEST_F(ShippedDataTest, AReadErrorAnywhereInADesignFailsWithTheSystemsReason) {
    const std::string hospital = Example("Hospital.QMR");
    const std::size_t size = ReadWholeFile(hospital).size();
    Open(Example("Office.QMR"));
    for (const std::size_t at : {std::size_t{0}, std::size_t{1}, size / 3, size - 1}) {
        SCOPED_TRACE(at);
        platform.messages.clear();
        ResetProfileCache();
        InjectReadFailure({"Hospital.QMR", at, at == 0 ? EACCES : EIO});
        EXPECT_TRUE(OpenConfigurationFile(hospital, false, progress, unknown).previousDesignKept);
        EXPECT_EQ(platform.AllMessageTexts(),
                  "Unable to open file '" + hospital + "' for the following reason:\n\n" +
                      (at == 0 ? "(70)  Permission denied" : "(57)  Input/output error"));
    }
}

TEST_F(ShippedDataTest, AFailedSaveKeepsTheOldFileAndABakNameIsNeverItsOwnBackup) {
    Open(Example("Office.QMR"));
    const std::string office = ReadWholeFile(Example("Office.QMR"));
    const std::string design = temp.Write("Plant.QMR", "old"), bak = temp.File("Plant.BAK");
    temp.Write("Plant.BAK", "older");
    std::filesystem::permissions(bak, std::filesystem::perms::owner_read);
    InjectWriteFailure(100, ENOSPC);
    CurrentDocument().DataChanged = true;
    EXPECT_FALSE(SaveConfigurationFile(design));
    EXPECT_EQ(platform.AllMessageTexts(), "Unable to save the configuration data");
    EXPECT_TRUE(CurrentDocument().DataChanged);
    EXPECT_EQ(ReadWholeFile(design), "old");
    EXPECT_EQ(FilesLeft(temp), 2u);  // no temporary file stays
    ClearWriteFailure();
    ASSERT_TRUE(SaveConfigurationFile(design));
    EXPECT_EQ(ReadWholeFile(design), office);
    EXPECT_EQ(ReadWholeFile(bak), "old");
    ASSERT_TRUE(SaveConfigurationFile(bak));
    EXPECT_EQ(ReadWholeFile(bak), office);
}

TEST_F(ShippedDataTest, AKilledSaveAlwaysLeavesOneCompleteDesignUnderItsName) {
    const std::string office = ReadWholeFile(Example("Office.QMR"));
    const std::string warehouse = ReadWholeFile(Example("Warehouse.QMR"));
    const std::string design = temp.Write("Design.QMR", office);
    auto* saves = static_cast<std::atomic<int>*>(mmap(nullptr, sizeof(std::atomic<int>),
                                                      PROT_READ | PROT_WRITE,
                                                      MAP_SHARED | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(saves, MAP_FAILED);
    new (saves) std::atomic<int>(0);
    // The kill points spread over about four open-and-save cycles, however fast this build is.
    const auto started = std::chrono::steady_clock::now();
    Open(Example("Warehouse.QMR"));
    ASSERT_TRUE(SaveConfigurationFile(temp.File("Cycle.QMR")));
    auto cycle = std::chrono::duration_cast<std::chrono::microseconds>(
                     std::chrono::steady_clock::now() - started)
                     .count();
    std::filesystem::remove(temp.File("Cycle.QMR"));
    std::mt19937 random(20261207);
    for (int round = 0; *saves < 300 && round < 5000; ++round) {
        const int savesBefore = *saves;
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = round;; ++i) {
                OpenConfigurationFile(Example(i % 2 ? "Office.QMR" : "Warehouse.QMR"), false,
                                      progress, unknown);
                if (SaveConfigurationFile(design)) ++*saves;
            }
        }
        usleep(static_cast<useconds_t>(random() % (4 * cycle + 1)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string now = ReadWholeFile(design);
        ASSERT_TRUE(now == office || now == warehouse) << round << ": " << now.size() << " bytes";
        // On a loaded machine the writer may get little time: wait longer until saves complete.
        if (*saves == savesBefore && cycle < 1'000'000) cycle += cycle / 4 + 1;
    }
    EXPECT_GE(*saves, 300);
    munmap(saves, sizeof(std::atomic<int>));
    // The next save clears the temporary files of the killed writers.
    Open(Example("Office.QMR"));
    ASSERT_TRUE(SaveConfigurationFile(design));
    EXPECT_EQ(FilesLeft(temp), 2u);  // the design and its backup
}

}  // namespace
