#include "document/DocumentRules.h"

#include <deque>

#include "document/DocumentFixtures.h"
#include "shell/RecentFiles.h"
#include "shell/Settings.h"

namespace {

class ScriptedChooser : public SaveAsChooser {
public:
    std::deque<std::optional<std::string>> choices;
    std::vector<std::string> initialPaths;
    std::optional<std::string> ChooseSavePath(const std::string& initialPath) override {
        initialPaths.push_back(initialPath);
        if (choices.empty()) return std::nullopt;
        auto choice = choices.front();
        choices.pop_front();
        return choice;
    }
};

constexpr const char* kNotSaved =
    "Configuration data has not been saved.\n\nDo you want to save now?";
constexpr const char* kReadOnlySave =
    "The configuration data was Opened as 'Read Only'.\n\nIt cannot be saved.";

class DocumentRulesTest : public DocumentTest {
protected:
    void ExpectOneMessage(const std::string& text) {
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0].text, text);
    }

    ScriptedChooser chooser;
    ScopedInstall<SaveAsChooser> chooserInstalled{chooser};
};

TEST_F(DocumentRulesTest, TheCaptionNamesTheFileUpToItsFirstDot) {
    EXPECT_EQ(CaptionText(Doc()), "Quelmar");
    Doc().DocumentPath = "/home/me/site.v2/North Wing.rev3.QMR";
    EXPECT_EQ(CaptionText(Doc()), "Quelmar - North Wing");
}

TEST_F(DocumentRulesTest, YesSavesUnderTheDesignsFile) {
    Doc().DocumentPath = temp.File("Plant.QMR");
    MarkModified();
    platform.answers = {MsgResult::Yes};
    EXPECT_TRUE(SavePrompt());
    ExpectOneMessage(kNotSaved);
    EXPECT_FALSE(Doc().DataChanged);
    EXPECT_TRUE(FileExists(temp.File("Plant.QMR")));
}

TEST_F(DocumentRulesTest, YesWithAFailedSaveDoesNotLetTheCallerGoOn) {
    Doc().DocumentPath = temp.File("missing/Plant.QMR");
    MarkModified();
    platform.answers = {MsgResult::Yes};
    EXPECT_FALSE(SavePrompt());
    EXPECT_EQ(platform.messages.back().text, "Unable to save the configuration data");
    EXPECT_TRUE(Doc().DataChanged);
}

TEST_F(DocumentRulesTest, NoGoesOnWithoutSavingAndCancelStops) {
    MarkModified();
    platform.answers = {MsgResult::No, MsgResult::Cancel};
    EXPECT_TRUE(SavePrompt());
    EXPECT_FALSE(SavePrompt());
    EXPECT_TRUE(Doc().DataChanged);
}

TEST_F(DocumentRulesTest, AReadOnlyDesignIsNeitherSavedNorSavedAs) {
    Doc().OpenedReadOnly = true;
    Doc().DocumentPath = temp.File("Plant.QMR");
    EXPECT_FALSE(DoMenuSave());
    ExpectOneMessage(kReadOnlySave);
    EXPECT_FALSE(DoMenuSaveAs());
    EXPECT_TRUE(chooser.initialPaths.empty());
    EXPECT_FALSE(FileExists(temp.File("Plant.QMR")));
}

TEST_F(DocumentRulesTest, ADesignWithoutAFileIsSavedAsAndTheDialogReturnsAfterAFailure) {
    MarkModified();
    const std::string good = temp.File("docs/New Site.QMR");
    EnsureFolder(temp.File("docs"));
    chooser.choices = {temp.File("missing/New Site.QMR"), good};
    EXPECT_TRUE(DoMenuSave());
    ExpectOneMessage("Unable to save the configuration data");
    EXPECT_EQ(Doc().DocumentPath, good);
    EXPECT_EQ(RecentFiles().front(), good);
    EXPECT_EQ(ReadSettingText("QMR Path"), temp.File("docs"));
}

TEST_F(DocumentRulesTest, AChangedReadOnlyDesignCannotBePrinted) {
    Doc().OpenedReadOnly = true;
    EXPECT_TRUE(MayPrint());
    MarkModified();
    EXPECT_FALSE(MayPrint());
    ExpectOneMessage(
        "The configuration data was Opened as 'Read Only'.\n\nIt cannot be printed after it has "
        "been changed.");
}

}  // namespace
