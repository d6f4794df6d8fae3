#include "support/TestSupport.h"

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "shell/ProfileFile.h"

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static std::atomic<int> counter{0};
    const fs::path base = fs::temp_directory_path() / ("quelmar-test-" + std::to_string(getpid()) +
                                                       "-" + std::to_string(counter++));
    fs::remove_all(base);
    fs::create_directories(base);
    path_ = base.string();
}

TempFolder::~TempFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

std::string TempFolder::File(const std::string& name) const {
    return JoinPath(path_, name);
}

std::string TempFolder::Write(const std::string& name, const std::string& bytes) const {
    const std::string full = File(name);
    fs::create_directories(fs::path(full).parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out << bytes;
    out.close();
    ResetProfileCache();
    return full;
}

std::string ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void ScriptedTest::SetUp() {
    previousPaths_ = Paths();
    paths.dataRoot = temp.File("data");
    paths.userRoot = temp.File("user");
    paths.configDir = temp.File("config");
    paths.documentsDir = temp.File("docs");
    for (const auto* dir : {&paths.dataRoot, &paths.userRoot, &paths.configDir})
        fs::create_directories(*dir);
    SetPaths(paths);
    ResetProfileCache();
}

void ScriptedTest::TearDown() {
    SetPaths(previousPaths_);
    ResetProfileCache();
}

std::vector<std::string> ScriptedTest::MessageTexts() const {
    std::vector<std::string> texts;
    for (const RecordedMessage& m : platform.messages)
        texts.push_back(m.text);
    return texts;
}
