// quelmar-cli report, run as the built program on the shipped data and the examples: the PDF's
// text read back with pdftotext against the numbers of quelmar-cli calc.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "shell/Numbers.h"
#include "support/TestSupport.h"

namespace {

const std::string kData = QUELMAR_SOURCE_DATA_DIR;
const std::string kExamples = kData + "/../examples/";

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

// A page of the PDF's text: its lines with runs of blanks made one blank, trimmed.
using PageLines = std::vector<std::string>;

class ReportCommandTest : public ::testing::Test {
protected:
    // Runs quelmar-cli with the shipped data and the test's own user and config folders; the
    // exit status, stderr in `err`.
    int Cli(const std::string& arguments, std::string* out = nullptr) {
        const std::string command = "LC_ALL=en_GB.UTF-8 " + std::string(QUELMAR_CLI_PATH) +
                                    " --data-dir " + Quoted(kData) + " --user-dir " +
                                    Quoted(temp.File("user")) + " --config-dir " +
                                    Quoted(temp.File("config")) + " " + arguments + " >" +
                                    Quoted(temp.File("out")) + " 2>" + Quoted(temp.File("err"));
        const int raw = std::system(command.c_str());
        err = ReadWholeFile(temp.File("err"));
        if (out) *out = ReadWholeFile(temp.File("out"));
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    std::vector<PageLines> PdfPages(const std::string& pdf) {
        const std::string text = temp.File("pdf.txt");
        EXPECT_EQ(std::system(("pdftotext -layout " + Quoted(pdf) + " " + Quoted(text)).c_str()),
                  0);
        std::vector<PageLines> pages(1);
        std::istringstream lines(ReadWholeFile(text));
        for (std::string line; std::getline(lines, line);) {
            for (std::size_t ff; (ff = line.find('\f')) != std::string::npos;) {
                line.erase(ff, 1);
                pages.emplace_back();
            }
            line = std::regex_replace(line, std::regex(" +"), " ");
            line = std::regex_replace(line, std::regex("^ | $"), "");
            if (!line.empty()) pages.back().push_back(line);
        }
        while (!pages.empty() && pages.back().empty())
            pages.pop_back();
        return pages;
    }
    static std::string Current(const nlohmann::json& microamps) {
        return CurrentText(Amount::FromDouble(microamps.get<double>()));
    }

    TempFolder temp;
    std::string err;
};

TEST_F(ReportCommandTest, EachExampleReadsLineForLineAsTheCalculationGives) {
    for (const std::string name :
         {"Hospital.QMR", "Office.QMR", "OldLibrary.QMR", "Warehouse.QMR"}) {
        SCOPED_TRACE(name);
        std::string calc;
        ASSERT_EQ(Cli("calc --json " + Quoted(kExamples + name), &calc), 0) << err;
        const nlohmann::json j = nlohmann::json::parse(calc);
        const std::string pdf = temp.File(name + ".pdf");
        ASSERT_EQ(Cli("report " + Quoted(kExamples + name) + " --pdf " + Quoted(pdf)), 0) << err;
        EXPECT_EQ(err, "");
        const std::vector<PageLines> pages = PdfPages(pdf);
        ASSERT_FALSE(pages.empty());
        for (std::size_t p = 0; p < pages.size(); ++p) {
            EXPECT_EQ(pages[p][0], "Tarvex Quelmar Configuration Data for: " + name);
            EXPECT_TRUE(std::regex_match(
                pages[p][1], std::regex("Last revised on .* Page " + std::to_string(p + 1))))
                << pages[p][1];
        }
        const PageLines& first = pages[0];
        const auto at = [&](const std::string& line) {
            return std::find(first.begin(), first.end(), line) - first.begin();
        };
        EXPECT_EQ(first[2], "Summary");
        EXPECT_EQ(first[3], "Site Name: " + j["site_name"].get<std::string>());
        const int loops = j["panel_loops"];
        std::size_t row = at("Loop Devices Quiescent Alarm Design") + 1;
        for (const auto& loop : j["loops"]) {
            if (loop["loop"].get<int>() > loops) break;
            const int devices = loop["qty_devices"].get<int>() + loop["qty_slave_bases"].get<int>();
            EXPECT_EQ(first.at(row++), std::to_string(loop["loop"].get<int>()) + " " +
                                           std::to_string(devices) + " " +
                                           Current(loop["quiescent_current_total_uA"]) + " " +
                                           Current(loop["alarm_current_total_uA"]) + " " +
                                           loop["loop_design_short"].get<std::string>());
        }
        if (loops > 1) {
            EXPECT_EQ(first.at(row++), "Total " + std::to_string(j["total_devices"].get<int>()) +
                                           " " + Current(j["total_quiescent_uA"]) + " " +
                                           Current(j["total_alarm_uA"]));
        }
        EXPECT_EQ(first.at(row), "Calculations include the following assumptions:");
        EXPECT_EQ(first.at(row + 2), "As many devices are in alarm as possible.");

        // Every loop with devices has its block, whole on one page, with its totals.
        for (const auto& loop : j["loops"]) {
            const int n = loop["loop"];
            if (n > loops || loop["qty_devices"].get<int>() == 0) continue;
            SCOPED_TRACE(n);
            int found = 0;
            for (const PageLines& page : pages) {
                const auto top = std::find(page.begin(), page.end(), "Loop " + std::to_string(n));
                if (top == page.end()) continue;
                ++found;
                const auto total = std::find_if(top, page.end(), [](const std::string& l) {
                    return l.rfind("Total ", 0) == 0;
                });
                ASSERT_NE(total, page.end());
                EXPECT_TRUE(total->ends_with(" " + Current(loop["quiescent_current_total_uA"]) +
                                             " " + Current(loop["alarm_current_total_uA"])))
                    << *total;
                const auto drop = std::find_if(top, page.end(), [](const std::string& l) {
                    return l.rfind("Volt Drop ", 0) == 0;
                });
                ASSERT_NE(drop, page.end());
                EXPECT_EQ(*drop,
                          "Volt Drop " + FormatFixed(loop["volt_drop_V"].get<double>(), 1) + " V");
            }
            EXPECT_EQ(found, 1);
        }
    }
}

TEST_F(ReportCommandTest, NamedLoopsInTheStoredUnitsWithoutWritingTheSettings) {
    const std::string settings =
        temp.Write("config/settings.ini",
                   "[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:1\nFirstTimeDone=number:-1\n");
    const std::string before = ReadWholeFile(settings);
    const std::string pdf = temp.File("two.pdf");
    ASSERT_EQ(Cli("report " + Quoted(kExamples + "Hospital.QMR") + " --pdf " + Quoted(pdf) +
                  " --loops 2"),
              0)
        << err;
    std::vector<std::string> blocks;
    bool feet = false;
    for (const PageLines& page : PdfPages(pdf))
        for (const std::string& line : page) {
            if (std::regex_match(line, std::regex("Loop [1-8]"))) blocks.push_back(line);
            feet = feet || line.ends_with(" feet (ft)");
        }
    EXPECT_EQ(blocks, std::vector<std::string>{"Loop 2"});
    EXPECT_TRUE(feet);
    EXPECT_EQ(ReadWholeFile(settings), before);
    // Without settings the command stores none either.
    ASSERT_EQ(Cli("report " + Quoted(kExamples + "Office.QMR") + " --pdf " + Quoted(pdf)), 0);
    std::filesystem::remove(settings);
    ASSERT_EQ(Cli("report " + Quoted(kExamples + "Office.QMR") + " --pdf " + Quoted(pdf)), 0);
    EXPECT_FALSE(std::filesystem::exists(settings));
}

TEST_F(ReportCommandTest, FailuresLeaveAnExistingOutputUntouched) {
    const std::string out = temp.Write("old.pdf", "old contents");
    const std::string report = "report " + Quoted(kExamples + "Office.QMR") + " --pdf ";
    EXPECT_EQ(Cli("report " + Quoted(temp.File("missing.QMR")) + " --pdf " + Quoted(out)), 1);
    EXPECT_EQ(Cli(report + Quoted(temp.File("no/such/folder/x.pdf"))), 1);
    EXPECT_NE(err.find("cannot be written"), std::string::npos) << err;
    for (const std::string bad : {" --loops 9", " --loops 1,,2", " --loops x", ""})
        EXPECT_EQ(Cli(report + (bad.empty() ? "" : Quoted(out) + bad)), 2) << bad;
    EXPECT_EQ(ReadWholeFile(out), "old contents");
    // No temporary file is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(temp.path()))
        EXPECT_EQ(entry.path().filename().string().rfind("old.pdf.", 0), std::string::npos);
}

}  // namespace
