#include "shell/ProfileFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <random>

#include "support/TestSupport.h"

using ProfileFileTest = ScriptedTest;

TEST_F(ProfileFileTest, MatchesSectionsAndKeysWithoutCaseAndTheFirstMatchWins) {
    const std::string f =
        temp.Write("a.ini",
                   "; comment\r\n[Devices]\r\nMaxDevices = 12 \r\nmaxdevices=99\r\n"
                   "[devices]\r\nOther=1\r\n[Cables]\r\nCable1=\"  quoted  \"\r\n"
                   "Cable2=\"\"\r\nCable3=\"a\"b\"\r\n;Cable4=x\r\nCable5=\"half\r\n");
    EXPECT_EQ(ReadProfileString(f, "DEVICES", "maxDEVICES"), "12");
    EXPECT_EQ(ReadProfileString(f, "devices", "Other"), "");  // only the first section is searched
    EXPECT_EQ(ReadProfileString(f, "Cables", "Cable1"), "  quoted  ");
    EXPECT_EQ(ReadProfileString(f, "Cables", "Cable3"), "a\"b");
    EXPECT_EQ(ReadProfileString(f, "Cables", "Cable4"), "");  // commented out
    EXPECT_EQ(ReadProfileString(f, "Cables", "Cable5"), "\"half");
    EXPECT_EQ(ReadProfileString(temp.File("none.ini"), "Cables", "Cable1"), "");
    // A section taken whole: each key once, as names match, with the value a read gives.
    const auto cables = ProfileSectionEntries(f, " cables ");
    EXPECT_EQ(cables.size(), 4u);
    for (const auto& [key, value] : cables)
        EXPECT_EQ(value, ReadProfileString(f, "Cables", key)) << key;
    EXPECT_EQ(ProfileSectionEntries(f, "Devices"),
              (std::vector<std::pair<std::string, std::string>>{{"MAXDEVICES", "12"}}));
    // LF line ends; long values are cut to 1023 bytes.
    const std::string lf = temp.Write("b.ini", "[S]\nK=" + std::string(5000, 'x') + "\nL=2");
    EXPECT_EQ(ReadProfileString(lf, "S", "K"), std::string(1023, 'x'));
    EXPECT_EQ(ReadProfileString(lf, "S", "L"), "2");
}

TEST_F(ProfileFileTest, WritesReplaceInPlaceAppendToSectionAppendSectionAndCreateTheFile) {
    const std::string f = temp.File("c.ini");
    ASSERT_TRUE(WriteProfileString(f, "One", "A", "1"));
    ASSERT_TRUE(WriteProfileString(f, "Two", "B", "2"));
    ASSERT_TRUE(WriteProfileString(f, "one", "C", "3"));
    ASSERT_TRUE(WriteProfileString(f, "ONE", "a", "10"));
    EXPECT_EQ(ReadWholeFile(f), "[One]\r\na=10\r\nC=3\r\n[Two]\r\nB=2\r\n");
    ASSERT_TRUE(WriteProfileString(f, "One", "C", std::nullopt));
    ASSERT_TRUE(WriteProfileString(f, "Two", "Empty", ""));
    EXPECT_EQ(ReadWholeFile(f), "[One]\r\na=10\r\n[Two]\r\nB=2\r\nEmpty=\r\n");
    ASSERT_TRUE(WriteProfileValueOrDelete(f, "Two", "B", "\"\""));
    ASSERT_TRUE(WriteProfileValueOrDelete(f, "Two", "Empty", ""));
    ASSERT_TRUE(WriteProfileValueOrDelete(f, "Two", "D", "x"));
    EXPECT_EQ(ReadWholeFile(f), "[One]\r\na=10\r\n[Two]\r\nD=x\r\n");
    ASSERT_TRUE(DeleteProfileSection(f, "ONE"));
    EXPECT_EQ(ReadWholeFile(f), "[Two]\r\nD=x\r\n");
}

TEST_F(ProfileFileTest, AppendingKeepsBlankLinesAndCommentsAtTheSectionEnd) {
    const std::string f = temp.Write("d.ini", ";head\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(WriteProfileString(f, "A", "z", "3"));
    EXPECT_EQ(ReadWholeFile(f), ";head\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
}

TEST_F(ProfileFileTest, Windows1252BytesSurviveAReadWriteRoundTrip) {
    const std::string f = temp.Write("e.ini", "[S]\r\nName=Caf\xE9 \x80\r\n");
    EXPECT_EQ(ReadProfileString(f, "S", "Name"), "Caf\xC3\xA9 \xE2\x82\xAC");
    ASSERT_TRUE(WriteProfileString(f, "S", "Other", "R\xC3\xA9sum\xC3\xA9"));
    EXPECT_EQ(ReadWholeFile(f), "[S]\r\nName=Caf\xE9 \x80\r\nOther=R\xE9sum\xE9\r\n");
}

TEST_F(ProfileFileTest, BatchWritesOnceAndDiscardsWithoutCommit) {
    const std::string f = temp.Write("g.ini", "[Old]\r\nK=1\r\n");
    {
        ProfileBatch batch(f, ProfileBatch::Start::Empty);
        batch.SetPreamble({";Header"});
        for (int i = 0; i < 100; ++i)
            WriteProfileString(f, "New", "Key" + std::to_string(i), std::to_string(i));
        EXPECT_EQ(ReadProfileString(f, "New", "Key42"), "42");  // reads see the batch
        EXPECT_EQ(ReadWholeFile(f), "[Old]\r\nK=1\r\n");        // nothing written yet
        ASSERT_TRUE(batch.Commit());
    }
    const std::string written = ReadWholeFile(f);
    EXPECT_EQ(written.substr(0, 24), ";Header\r\n[New]\r\nKey0=0\r\n");
    EXPECT_EQ(ReadProfileString(f, "Old", "K"), "");
    {
        ProfileBatch batch(f);
        WriteProfileString(f, "New", "Key0", "changed");
    }
    EXPECT_EQ(ReadWholeFile(f), written);
    EXPECT_EQ(ReadProfileString(f, "New", "Key0"), "0");
}

TEST_F(ProfileFileTest, AWriteThatCannotBeDoneFailsAndLeavesNoTemporaryFile) {
    std::filesystem::create_directories(temp.File("dir.ini"));
    EXPECT_FALSE(WriteProfileString(temp.File("dir.ini"), "S", "K", "v"));
    for (const auto& e : std::filesystem::directory_iterator(temp.path()))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}

TEST_F(ProfileFileTest, RandomWritesAgreeWithASimpleModel) {
    std::mt19937 rng(3);
    const std::string f = temp.File("h.ini");
    std::map<std::pair<int, int>, std::string> model;
    for (int step = 0; step < 400; ++step) {
        const int s = static_cast<int>(rng() % 4), k = static_cast<int>(rng() % 6);
        const std::string section = (rng() % 2 ? "Sec" : "SEC") + std::to_string(s);
        const std::string key = (rng() % 2 ? "key" : "Key") + std::to_string(k);
        if (rng() % 4 == 0) {
            ASSERT_TRUE(WriteProfileString(f, section, key, std::nullopt));
            model.erase({s, k});
        } else {
            const std::string value = std::to_string(rng() % 1000);
            ASSERT_TRUE(WriteProfileString(f, section, key, value));
            model[{s, k}] = value;
        }
    }
    ResetProfileCache();  // read back from disk
    for (int s = 0; s < 4; ++s)
        for (int k = 0; k < 6; ++k) {
            const auto it = model.find({s, k});
            EXPECT_EQ(ReadProfileString(f, "sec" + std::to_string(s), "KEY" + std::to_string(k)),
                      it == model.end() ? "" : it->second);
        }
}
