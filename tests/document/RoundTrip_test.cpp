// Saving and opening again: a design survives its file, and a file survives its design.
#include <random>

#include "document/ConfigWriter.h"
#include "document/DocumentFixtures.h"
#include "document/EditorFixtures.h"

namespace {

// Everything a file keeps of a design, in comparable form: each loop as its name, its
// calculation settings, its layout and its address order.
struct DesignImage {
    std::string siteName;
    int panel = -1;
    DateTime created, modified;
    std::vector<std::string> loops;

    friend bool operator==(const DesignImage&, const DesignImage&) = default;
};

DesignImage Capture() {
    DesignDocument& doc = CurrentDocument();
    DesignImage image{doc.SiteName, doc.ChosenPanel(), doc.CreatedDate, doc.ModifiedDate, {}};
    for (int loop = 1; loop <= 8; ++loop) {
        const clsCalculator& c = doc.LoopModel(loop);
        std::string text = doc.LoopName(loop);
        for (int v :
             {int{c.CableImpedance()}, int{c.CableFirst()}, int{c.CableTotal()}, int{c.CalcType()},
              int{c.MaxOutput()}, int{c.DINLEDsDisabled()}, int{c.IgnoreIsolators()}})
            text += "|" + std::to_string(v);
        text += "|" + Layout(loop) + "|";
        for (int a = 0; a < 256; ++a)
            text += std::to_string(c.AddressOrder(a)) + ",";
        image.loops.push_back(text);
    }
    return image;
}

class RoundTripTest : public DocumentTest {
protected:
    std::mt19937 random{2024};

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }
    template <typename T>
    T PickOf(const std::vector<T>& v) {
        return v[static_cast<std::size_t>(Pick(0, static_cast<int>(v.size()) - 1))];
    }

    // Names with the characters that test the quoting: blanks, commas, quotes, letters of the
    // Windows code page beyond ASCII.
    std::string RandomName() {
        static const std::vector<std::string> pieces = {
            "a",        "Z",        " ", ",", "\"",       "=",
            ";",        "[",        "]", "7", "\xC3\xA9", "\xE2\x82\xAC",
            "\xC3\x9F", "\xC3\x9C", "\t"};
        std::string name;
        const int n = Chance(20) ? 0 : Pick(1, 12);
        for (int i = 0; i < n; ++i)
            name += PickOf(pieces);
        return name;
    }

    void FillLoop(int loop) {
        DesignDocument& doc = Doc();
        clsCalculator& c = Loop(loop);
        doc.LoopName(loop) = RandomName();
        c.CableImpedance(static_cast<std::int16_t>(Pick(0, 32767)));
        c.CableFirst(Pick(0, 327670));
        c.CableTotal(Pick(0, 327670));
        c.CalcType(Pick(0, 2));
        c.MaxOutput(Pick(0, 20));
        c.DINLEDsDisabled(Chance(50));
        c.IgnoreIsolators(Chance(50));
        const std::vector<std::int16_t> types = {detector,   sounder,    customDetector, outputUnit,
                                                 masterHead, masterBase, closedType};
        const std::vector<std::int16_t> others = {ancillary, remote, customBeacon};
        const std::vector<std::int16_t> bases = {isolatingBase, relayBase, customBase};
        const std::vector<std::int16_t> standalones = {loopIsolator, wirelessSounder, customBeacon,
                                                       isolatingBase};
        const int density = Pick(0, 100);
        for (int a = 0; a < 256; ++a) {
            const bool device = Chance(density);
            const std::int16_t type = device ? PickOf(types) : 0;
            c.DeviceType(a, type);
            const std::int16_t other = PickOf(others), base = PickOf(bases);
            // Attachments either suit their device or hang on an address without one.
            if (Chance(30) && (type == 0 || IsCompatible(type, other))) c.DeviceOtherType(a, other);
            if (Chance(30) && (type == 0 || IsCompatible(type, base)))
                c.DeviceOtherBaseType(a, base);
            if (Chance(10)) {
                int baseAddress = Pick(1, 255);
                if (baseAddress == a) baseAddress = a == 255 ? 1 : a + 1;
                c.DeviceBaseAddr(a, baseAddress);
                c.DeviceBaseType(a, PickOf(std::vector<std::int16_t>{0, slaveBase, masterBase}));
            }
            if (Chance(5)) {
                for (int i = Pick(1, 3); i > 0; --i)
                    c.DeviceStandaloneTypeAndAddress(a, Pick(2, 125), PickOf(standalones),
                                                     Chance(50) ? Pick(0, 255) : 0);
            }
            if (Chance(10))
                doc.DeviceCarriedValue(loop, a) = static_cast<std::int16_t>(Pick(-32768, 32767));
            if (Chance(device ? 10 : 2)) doc.DeviceEavesdropFlag(loop, a) = true;
        }
        // Rearranged wiring: positions 1 to 254 (0 and 255 name no position a file can keep).
        for (int moves = Pick(0, 40); moves > 0; --moves)
            c.AddressOrder(Pick(1, 254), Pick(1, 254));
    }

    void FillDesign() {
        NewDocument();
        Doc().SiteName = RandomName();
        Doc().CreatedDate = {Pick(1990, 2030), Pick(1, 12), Pick(1, 28),
                             Pick(0, 23),      Pick(0, 59), Pick(0, 59)};
        Doc().ModifiedDate = {Pick(1990, 2030), Pick(1, 12), Pick(1, 28),
                              Pick(0, 23),      Pick(0, 59), Pick(0, 59)};
        for (int loop = 1; loop <= 8; ++loop)
            FillLoop(loop);
        // A design as the windows leave it: calculated after the last change.
        RecalculateAllLoops();
    }
};

TEST_F(RoundTripTest, RandomDesignsSurviveSaveAndOpen) {
    for (int round = 0; round < 25; ++round) {
        FillDesign();
        const DesignImage before = Capture();
        const std::string path = temp.File("Round" + std::to_string(round) + ".QMR");
        ASSERT_TRUE(SaveConfigurationFile(path));
        ASSERT_EQ(OpenFile(path).outcome, OpenOutcome::Opened);
        ASSERT_TRUE(platform.messages.empty()) << platform.AllMessageTexts();
        EXPECT_FALSE(Doc().DataChanged);
        ASSERT_TRUE(Capture() == before) << "round " << round;
    }
}

}  // namespace
