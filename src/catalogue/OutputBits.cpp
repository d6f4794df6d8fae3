#include "catalogue/OutputBits.h"

#include <optional>

#include "catalogue/FieldParsing.h"
#include "shell/Numbers.h"
#include "shell/Platform.h"
#include "shell/ProfileFile.h"

std::vector<OutputBit> OutputBitTable;

namespace {

// Output bits are referred to by 16-bit numbers, so no more can be used.
constexpr int kHighestUsableOutputBit = 32767;

}  // namespace

bool LoadOutputBits(const std::string& file) {
    const std::string phrase = FilePhrase(file);
    OutputBitTable.assign(1, OutputBit{});

    const std::string maxValue = ReadProfileString(file, "Outputs", "MaxOutputs");
    const std::string maxItem = GetField(maxValue, 1);
    // The highest number may be written with decimals (it is rounded); one that is negative or
    // beyond what a device entry can refer to is refused like a missing one, rather than
    // making a table of impossible size.
    const std::optional<std::int32_t> highest =
        IsNumeric(maxItem) ? RoundToInt32(NumericValue(maxItem)) : std::nullopt;
    if (!highest || *highest < 0 || *highest > kHighestUsableOutputBit) {
        ShowDataFileProblem("Invalid 'MaxOutputs' entry in [Outputs] section in " + phrase);
        return false;
    }

    OutputBitTable.assign(static_cast<std::size_t>(*highest) + 1, OutputBit{});
    for (int n = 0; n <= *highest; ++n) {
        const std::string entry = ReadProfileString(file, "Outputs", "Output" + std::to_string(n));
        if (entry.empty()) continue;
        OutputBit& bit = OutputBitTable[static_cast<std::size_t>(n)];
        bit.OutputName = GetField(entry, 1);
        const std::string ending = std::to_string(n) + "' entry in [Outputs] section in " + phrase;
        if (!ParseIntField(entry, 2, bit.OutputUseCode, 0, 127, "Output Use in 'Output" + ending))
            return false;
        if (!ParseIntField(entry, 3, bit.OutputGroup, 0, 127, "Output Group in 'Output" + ending))
            return false;
    }
    return true;
}

int HighestOutputBit() {
    return static_cast<int>(OutputBitTable.size()) - 1;
}

bool IsOutputGroup3(int number) {
    return number >= 0 && number <= HighestOutputBit() &&
           OutputBitTable[static_cast<std::size_t>(number)].OutputGroup == 3;
}

void ResetOutputBits() {
    OutputBitTable.clear();
}
