#include "document/DesignDocument.h"

#include <stdexcept>

#include "document/DocumentFixtures.h"
#include "document/EditorFixtures.h"

namespace {

TEST(FileDateTest, WrittenInFullAndReadBackOnlyWhenItIsARealDate) {
    EXPECT_EQ(FormatFileDate({987, 12, 31, 0, 0, 0}), "0987-12-31 00:00:00");
    EXPECT_EQ(ParseFileDate("2009-3-5 4:07"), (DateTime{2009, 3, 5, 4, 7, 0}));
    EXPECT_EQ(ParseFileDate("2024-02-29"), (DateTime{2024, 2, 29, 0, 0, 0}));
    for (const char* bad : {"", "yesterday", "2023-02-29 10:00:00", "1900-02-29", "2009-13-01",
                            "2009-04-31", "2009-03-05 24:00:00", "2009-03-05 10:00:60",
                            "2009-03-05x", "99-03-05", "2009-03-05 10:00:00 PM"})
        EXPECT_FALSE(ParseFileDate(bad).has_value()) << bad;
}

class DesignDocumentTest : public DocumentTest {};

TEST_F(DesignDocumentTest, NewDocumentGivesAnEmptyUnchangedDesignDatedNow) {
    Doc().DocumentPath = "/somewhere/Plant.QMR";
    Doc().OpenedReadOnly = true;
    Doc().LoopName(4) = "North";
    Loop(4).DeviceType(7, detector);
    Loop(4).AddressOrder(7, 3);
    Doc().DeviceCarriedValue(4, 7) = 12;
    Doc().DeviceEavesdropFlag(8, 255) = true;
    MarkModified();
    NewDocument();
    EXPECT_EQ(std::make_tuple(Doc().DataChanged, Doc().OpenedReadOnly, Doc().DocumentPath,
                              Doc().LoopName(4), Loop(4).AddressesAreInOrder()),
              std::make_tuple(false, false, "", "", true));
    EXPECT_EQ(Layout(4) + Layout(8), "");  // no device, carried value or flag is left
    EXPECT_EQ(Loop(4).MaxOutput(), 20);    // the chosen panel's outputs
    EXPECT_EQ(Doc().CreatedDate, Doc().ModifiedDate);
}

TEST_F(DesignDocumentTest, LoopsAndAddressesOutsideTheirRangesAreFaults) {
    EXPECT_THROW(Doc().LoopName(9), std::out_of_range);
    EXPECT_THROW(Doc().LoopModel(0), std::out_of_range);
    EXPECT_THROW(Doc().DeviceCarriedValue(1, 256), std::out_of_range);
    EXPECT_THROW(Doc().DeviceEavesdropFlag(9, 0), std::out_of_range);
    EXPECT_NO_THROW(Doc().DeviceCarriedValue(8, 255));
}

}  // namespace
