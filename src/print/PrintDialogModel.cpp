#include "print/PrintDialogModel.h"

#include "document/DesignDocument.h"
#include "engine/clsCalculator.h"

PrintDialogModel::PrintDialogModel(DesignDocument& document, int panelLoops,
                                   std::string printerDescription)
    : printerName_(std::move(printerDescription)) {
    for (int loop = 1; loop <= panelLoops && loop <= kLoopCount; ++loop)
        entries_.push_back(
            {"Loop " + std::to_string(loop), document.LoopModel(loop).QtyDevices() > 0});
}

void PrintDialogModel::SelectLoop(std::size_t index, bool selected) {
    if (index < entries_.size()) entries_[index].selected = selected;
}

std::vector<int> PrintDialogModel::ChosenLoops() const {
    std::vector<int> loops;
    for (std::size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].selected) loops.push_back(static_cast<int>(i) + 1);
    return loops;
}

std::string PrinterDescriptionText(const std::string& name, const std::string& port) {
    return name + " on " + port;
}
