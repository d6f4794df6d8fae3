#include "shell/Platform.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "shell/ErrorHandler.h"

TEST(PlatformTest, BusyPointerIsRestoredAlsoAfterAFailure) {
    ScriptedPlatform p;
    ScopedInstall<Platform> installed(p);
    try {
        BusyPointer outer;
        EXPECT_TRUE(p.IsBusy());
        {
            BusyPointer inner;
            throw std::runtime_error("failed");
        }
    } catch (const std::runtime_error&) {}
    EXPECT_FALSE(p.IsBusy());
}

TEST(PlatformTest, ConsolePlatformTakesTheFirstFixedAnswerTheBoxOffers) {
    ConsolePlatform c;
    c.fixedAnswers = {MsgResult::Ignore, MsgResult::OK};
    EXPECT_EQ(c.ShowMessage("x", "t", MsgIcon::Information, MsgButtons::OKCancel, 1),
              MsgResult::OK);
    EXPECT_EQ(c.ShowMessage("x", "t", MsgIcon::Information, MsgButtons::YesNo, 1), MsgResult::No);
}

TEST(ErrorHandlerTest, BuildsTheMessageWithSectionAndArea) {
    const std::string tail =
        "\n\nPlease report the full contents of this message, and the circumstances under which it "
        "happened, to your supplier.\n\nChoosing 'Abort' will close down Quelmar, choosing 'Retry' "
        "will attempt the operation again, choosing 'Ignore' will skip the operation.";
    EXPECT_EQ(UnexpectedErrorText(13, "Type mismatch", "LoadDeviceCatalogue", "Devices"),
              "An unexpected error (code 13) has occurred in the 'Devices' area of the "
              "'LoadDeviceCatalogue' section of Quelmar.\n\n\"Type mismatch\"" +
                  tail);
    EXPECT_EQ(UnexpectedErrorText(5, "", "Open", ""),
              "An unexpected error (code 5) has occurred in the 'Open' section of Quelmar." + tail);
    EXPECT_EQ(UnexpectedErrorText(6, "", "", "ignored"),
              "An unexpected error (code 6) has occurred in Quelmar." + tail);

    ScriptedPlatform p;
    ScopedInstall<Platform> installed(p);
    p.answers = {MsgResult::Retry, MsgResult::Ignore};
    EXPECT_EQ(ReportUnexpectedError(6, "Overflow"), MsgResult::Retry);
    EXPECT_EQ(ReportUnexpectedError(6, "Overflow"), MsgResult::Ignore);
    EXPECT_EQ(p.endProgramCalls, 0);
    EXPECT_EQ(ReportUnexpectedError(6, "Overflow"), MsgResult::Abort);  // the default button
    EXPECT_EQ(p.endProgramCalls, 1);
    ASSERT_EQ(p.messages.size(), 3u);
    EXPECT_EQ(p.messages[0].buttons, MsgButtons::AbortRetryIgnore);
    EXPECT_EQ(p.messages[0].icon, MsgIcon::Exclamation);
    EXPECT_EQ(p.messages[0].title, "Quelmar");
}
