#include "document/DesignDocument.h"

#include <stdexcept>

#include "document/DocumentFixtures.h"

namespace {

TEST(FileDateTest, WrittenWithTwoDigitsEachAndFourForTheYear) {
    EXPECT_EQ(FormatFileDate({2009, 3, 5, 14, 7, 9}), "2009-03-05 14:07:09");
    EXPECT_EQ(FormatFileDate({987, 12, 31, 0, 0, 0}), "0987-12-31 00:00:00");
}

TEST(FileDateTest, ReadBackOnlyWhenItIsARealDate) {
    EXPECT_EQ(ParseFileDate("2009-03-05 14:07:09"), (DateTime{2009, 3, 5, 14, 7, 9}));
    EXPECT_EQ(ParseFileDate("2009-3-5 4:07"), (DateTime{2009, 3, 5, 4, 7, 0}));
    EXPECT_EQ(ParseFileDate("2009-03-05"), (DateTime{2009, 3, 5, 0, 0, 0}));
    EXPECT_EQ(ParseFileDate("2024-02-29 23:59:59"), (DateTime{2024, 2, 29, 23, 59, 59}));
    for (const char* bad :
         {"", "yesterday", "2023-02-29 10:00:00", "1900-02-29", "2009-13-01", "2009-00-10",
          "2009-04-31", "2009-03-05 24:00:00", "2009-03-05 10:60:00", "2009-03-05 10:00:60",
          "2009-03-05 10", "2009-03-05x", "2009/03/05", "99-03-05", "12345-01-01",
          "2009-03-05 10:00:00 PM"}) {
        EXPECT_FALSE(ParseFileDate(bad).has_value()) << bad;
    }
}

class DesignDocumentTest : public DocumentTest {};

TEST_F(DesignDocumentTest, NewDocumentGivesAnEmptyUnchangedDesignDatedNow) {
    Doc().DocumentPath = "/somewhere/Plant.QMR";
    Doc().OpenedReadOnly = true;
    Doc().SiteName = "Plant";
    Doc().LoopName(4) = "North";
    Loop(4).DeviceType(7, detector);
    Loop(4).AddressOrder(7, 3);
    Loop(4).MaxOutput(3);
    Doc().DeviceCarriedValue(4, 7) = 12;
    Doc().DeviceEavesdropFlag(8, 255) = true;
    MarkModified();
    const DateTime before = CurrentDateTime();
    NewDocument();
    EXPECT_FALSE(Doc().DataChanged);
    EXPECT_FALSE(Doc().OpenedReadOnly);
    EXPECT_EQ(Doc().DocumentPath, "");
    EXPECT_EQ(Doc().SiteName, "");
    EXPECT_EQ(Doc().LoopName(4), "");
    EXPECT_EQ(Loop(4).DeviceType(7), 0);
    EXPECT_TRUE(Loop(4).AddressesAreInOrder());
    EXPECT_EQ(Loop(4).MaxOutput(), 20);  // the chosen panel's outputs
    EXPECT_EQ(Loop(4).CableImpedance(), 1810);
    EXPECT_EQ(Doc().DeviceCarriedValue(4, 7), 0);
    EXPECT_FALSE(Doc().DeviceEavesdropFlag(8, 255));
    EXPECT_EQ(Doc().CreatedDate, Doc().ModifiedDate);
    EXPECT_GE(Doc().CreatedDate.year, before.year);
    EXPECT_TRUE(ParseFileDate(FormatFileDate(Doc().CreatedDate)).has_value());
}

TEST_F(DesignDocumentTest, MarkModifiedSetsTheFlagAndStampsTheModifiedDate) {
    Doc().ModifiedDate = {2000, 1, 1, 0, 0, 0};
    Doc().CreatedDate = {2000, 1, 1, 0, 0, 0};
    MarkModified();
    EXPECT_TRUE(Doc().DataChanged);
    EXPECT_NE(Doc().ModifiedDate, (DateTime{2000, 1, 1, 0, 0, 0}));
    EXPECT_EQ(Doc().CreatedDate, (DateTime{2000, 1, 1, 0, 0, 0}));
}

TEST_F(DesignDocumentTest, LoopModelsAreCreatedOnFirstUseAndMayBeReplaced) {
    clsCalculator& first = Loop(6);
    EXPECT_TRUE(Doc().HasLoopModel(6));
    EXPECT_EQ(&Loop(6), &first);
    auto copy = first.Copy();
    copy->DeviceType(2, sounder);
    clsCalculator* replacement = copy.get();
    Doc().ReplaceLoopModel(6, std::move(copy));
    EXPECT_EQ(&Loop(6), replacement);
    EXPECT_EQ(Loop(6).DeviceType(2), sounder);
}

TEST_F(DesignDocumentTest, LoopsAndAddressesOutsideTheirRangesAreFaults) {
    EXPECT_THROW(Doc().LoopName(0), std::out_of_range);
    EXPECT_THROW(Doc().LoopName(9), std::out_of_range);
    EXPECT_THROW(Doc().LoopModel(0), std::out_of_range);
    EXPECT_THROW(Doc().DeviceCarriedValue(1, 256), std::out_of_range);
    EXPECT_THROW(Doc().DeviceEavesdropFlag(9, 0), std::out_of_range);
    EXPECT_THROW(Doc().DeviceCarriedValue(1, -1), std::out_of_range);
    EXPECT_NO_THROW(Doc().DeviceCarriedValue(8, 255));
}

}  // namespace
