#include "document/DocumentRules.h"

#include <deque>

#include "document/DocumentFixtures.h"
#include "shell/RecentFiles.h"
#include "shell/Settings.h"

namespace {

class ScriptedChooser : public SaveAsChooser {
public:
    std::deque<std::optional<std::string>> choices;
    std::optional<std::string> ChooseSavePath(const std::string&) override {
        if (choices.empty()) return std::nullopt;
        auto choice = choices.front();
        choices.pop_front();
        return choice;
    }
};

class DocumentRulesTest : public DocumentTest {
protected:
    ScriptedChooser chooser;
    ScopedInstall<SaveAsChooser> chooserInstalled{chooser};
};

TEST_F(DocumentRulesTest, ADesignWithoutAFileIsSavedAsAndTheDialogReturnsAfterAFailure) {
    MarkModified();
    const std::string good = temp.File("docs/New Site.QMR");
    EnsureFolder(temp.File("docs"));
    chooser.choices = {temp.File("missing/New Site.QMR"), good};
    EXPECT_TRUE(DoMenuSave());
    EXPECT_EQ(platform.AllMessageTexts(), "Unable to save the configuration data");
    EXPECT_EQ(Doc().DocumentPath, good);
    EXPECT_EQ(RecentFiles().front(), good);
    EXPECT_EQ(ReadSettingText("QMR Path"), temp.File("docs"));
}

}  // namespace
