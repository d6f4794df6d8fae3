// The print dialog's rules without its window.
#include "print/PrintDialogModel.h"

#include <gtest/gtest.h>

#include "document/DesignDocument.h"
#include "engine/EngineFixtures.h"

namespace {

TEST(PrintDialogModelTest, LoopsWithDevicesArePreselectedAndAOneLoopPanelHasNoList) {
    EngineCatalogue cat;
    const std::int16_t detector = cat.AddDevice(Device(300, 5000));
    DesignDocument doc;
    for (const int loop : {2, 4}) {
        doc.LoopModel(loop).DeviceType(1, detector);
        Recalculate(doc.LoopModel(loop));
    }
    PrintDialogModel dialog(doc, 4, "Laser on Room 2");
    EXPECT_EQ(dialog.LoopEntries(),
              (std::vector<PrintDialogModel::LoopEntry>{
                  {"Loop 1", false}, {"Loop 2", true}, {"Loop 3", false}, {"Loop 4", true}}));
    EXPECT_TRUE(dialog.LoopListVisible());
    dialog.SelectLoop(0, true);
    dialog.SelectLoop(3, false);
    dialog.SelectLoop(9, true);  // no such entry
    EXPECT_EQ(dialog.ChosenLoops(), (std::vector<int>{1, 2}));
    EXPECT_FALSE(dialog.Confirmed());
    dialog.Print();
    EXPECT_TRUE(dialog.Confirmed());
    dialog.PrinterChanged(PrinterDescriptionText("Inkjet", "usb"));
    EXPECT_EQ(dialog.PrinterName(), "Inkjet on usb");

    PrintDialogModel oneLoop(doc, 1, "");
    EXPECT_FALSE(oneLoop.LoopListVisible());
    EXPECT_TRUE(oneLoop.ChosenLoops().empty());
    doc.LoopModel(1).DeviceType(1, detector);
    Recalculate(doc.LoopModel(1));
    EXPECT_EQ(PrintDialogModel(doc, 1, "").ChosenLoops(), std::vector<int>{1});
}

}  // namespace
