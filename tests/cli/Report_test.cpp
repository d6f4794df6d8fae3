// quelmar-cli report run as the built program: each example's PDF read back with pdftotext
// against the numbers of quelmar-cli calc --json.
#include <regex>

#include "cli/CliFixtures.h"
#include "shell/Numbers.h"

namespace {

class ReportCommandTest : public CliTest {
protected:
    // The PDF's text, runs of blanks made one, without empty lines; a page ends in a form feed.
    std::string PdfText(const std::string& pdf) {
        EXPECT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
        const std::string text =
            std::regex_replace(ReadWholeFile(pdf + ".txt"), std::regex(" +"), " ");
        return std::regex_replace(text, std::regex(" ?\n[ \n]*"), "\n");
    }
    static long Count(const std::string& text, const std::string& pattern) {
        const std::regex r(pattern);
        return std::distance(std::sregex_iterator(text.begin(), text.end(), r), {});
    }
};

std::string Current(const nlohmann::json& microamps) {
    return CurrentText(Amount::FromDouble(microamps.get<double>()));
}

TEST_F(ReportCommandTest, EachExampleReadsLineForLineAsTheCalculationGives) {
    for (const std::string name :
         {"Hospital.QMR", "Office.QMR", "OldLibrary.QMR", "Warehouse.QMR"}) {
        SCOPED_TRACE(name);
        const auto calc = Json("calc --json " + Example(name));
        ASSERT_EQ(Cli("report " + Example(name) + " --pdf " + Quoted(temp.File("r.pdf"))).status,
                  0);
        const std::string text = PdfText(temp.File("r.pdf"));
        // Every page has its header with its number.
        const long pages = std::count(text.begin(), text.end(), '\f');
        for (long p = 1; p <= pages; ++p)
            EXPECT_EQ(Count(text, "(^|\f)Tarvex Quelmar Configuration Data for: " + name +
                                      "\nLast revised on [^\n]+ Page " + std::to_string(p) + "\n"),
                      1);
        const int panelLoops = calc["panel_loops"];
        std::string rows = "Loop Devices Quiescent Alarm Design\n";
        for (int n = 1; n <= panelLoops; ++n) {
            const auto& loop = calc["loops"][n - 1];
            const std::string totals = Current(loop["quiescent_current_total_uA"]) + " " +
                                       Current(loop["alarm_current_total_uA"]);
            rows += std::to_string(n) + " " +
                    std::to_string(loop["qty_devices"].get<int>() +
                                   loop["qty_slave_bases"].get<int>()) +
                    " " + totals + " " + loop["loop_design_short"].get<std::string>() + "\n";
            // The block of a loop with devices, whole on one page, with its totals and volt drop.
            EXPECT_EQ(Count(text, "\nLoop " + std::to_string(n) + "\n([^\n\f]*\n)*?Total [^\n]* " +
                                      totals + "\n([^\n\f]*\n)*?Volt Drop " +
                                      FormatFixed(loop["volt_drop_V"].get<double>(), 1) + " V\n"),
                      loop["qty_devices"] > 0 ? 1 : 0)
                << n;
        }
        if (panelLoops > 1)
            rows += "Total " + std::to_string(calc["total_devices"].get<int>()) + " " +
                    Current(calc["total_quiescent_uA"]) + " " + Current(calc["total_alarm_uA"]) +
                    "\n";
        EXPECT_NE(text.find(rows + "Calculations include the following assumptions:\n"),
                  std::string::npos)
            << rows;
    }
}

TEST_F(ReportCommandTest, NamedLoopsInTheStoredUnitsWithoutWritingTheSettings) {
    const std::string settings =
        temp.Write("config/settings.ini",
                   "[Software\\Tarvex\\Tarvex Quelmar]\nUnits=number:1\nFirstTimeDone=number:-1\n");
    const std::string before = ReadWholeFile(settings);
    ASSERT_EQ(Cli("report " + Example("Hospital.QMR") + " --pdf " + Quoted(temp.File("r.pdf")) +
                  " --loops 2,2")
                  .status,
              0);
    const std::string text = PdfText(temp.File("r.pdf"));
    EXPECT_TRUE(Count(text, "\nLoop [1-8]\n") == 1 && Count(text, "\nLoop 2\n") == 1);
    EXPECT_EQ(Count(text, "\nTotal cable run 1969 feet \\(ft\\)\n"), 1);
    EXPECT_EQ(ReadWholeFile(settings), before);
}

// The loop totals of the standby block are the main window's totals row.
TEST_F(ReportCommandTest, TheStandbyPowerBlockOnlyWhenAsked) {
    const auto calc = Json("calc --json " + Example("Hospital.QMR"));
    const std::string report =
        "report " + Example("Hospital.QMR") + " --pdf " + Quoted(temp.File("r.pdf"));
    for (const bool standby : {false, true}) {
        ASSERT_EQ(Cli(report + (standby ? " --standby-power" : "")).status, 0);
        EXPECT_EQ(Count(PdfText(temp.File("r.pdf")), "\nStandby Power\n([^\n\f]*\n)*?Loop totals " +
                                                         Current(calc["total_quiescent_uA"]) + " " +
                                                         Current(calc["total_alarm_uA"]) + "\n"),
                  standby ? 1 : 0);
    }
}

TEST_F(ReportCommandTest, FailuresLeaveAnExistingOutputUntouched) {
    const std::string out = temp.Write("old.pdf", "old");
    const std::string office = "report " + Example("Office.QMR") + " --pdf ";
    EXPECT_EQ(Cli("report " + Quoted(temp.File("none.QMR")) + " --pdf " + Quoted(out)).status, 1);
    EXPECT_EQ(Cli(office + Quoted(temp.File("no/folder/x.pdf"))).status, 1);
    for (const std::string usage : {" --loops 9", " --loops 1,,2", " --loops x", " --pdf"})
        EXPECT_EQ(Cli(office + Quoted(out) + usage).status, 2) << usage;
    EXPECT_EQ(ReadWholeFile(out), "old");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()), {}),
              3);  // old.pdf and the captured output: no temporary is left
}

}  // namespace
