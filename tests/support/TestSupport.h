#pragma once
// Shared test fixtures: a fresh temporary folder with the program's paths pointed into it, and
// a scripted platform that records every message.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/Paths.h"
#include "shell/Platform.h"

// A temporary folder removed at the end of its scope.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }
    // Full path of a file in the folder.
    std::string File(const std::string& name) const;
    // Writes raw bytes to a file in the folder (creating sub-folders); returns its full path.
    std::string Write(const std::string& name, const std::string& bytes) const;

private:
    std::string path_;
};

std::string ReadWholeFile(const std::string& path);

// Installs a scripted platform for the test and points data, user, config and documents
// folders into a fresh temporary folder (data/, user/, config/, docs/).
class ScriptedTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The texts of the messages shown so far.
    std::vector<std::string> MessageTexts() const;

    TempFolder temp;
    ScriptedPlatform platform;
    AppPaths paths;

private:
    ScopedInstall<Platform> installed_{platform};
    AppPaths previousPaths_;
};
