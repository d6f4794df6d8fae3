#include "catalogue/InputBits.h"

#include "catalogue/FieldParsing.h"
#include "shell/ProfileFile.h"

std::vector<InputBit> InputBitTable;

namespace {

// A missing input bit: named "?", use code -1 marks it undefined.
const InputBit kUndefinedInput{"?", -1, 0};

}  // namespace

bool LoadInputBits(const std::string& file) {
    const std::string phrase = FilePhrase(file);
    InputBitTable.assign(1, InputBit{});

    std::int16_t highest = 0;
    if (!ParseIntField(ReadProfileString(file, "Inputs", "MaxInputs"), 1, highest, 1, 32767,
                       "'MaxInputs' entry in [Inputs] section in " + phrase)) {
        InputBitTable[0] = kUndefinedInput;
        return false;
    }

    InputBitTable.assign(static_cast<std::size_t>(highest) + 1, kUndefinedInput);
    for (int n = 0; n <= highest; ++n) {
        const std::string entry = ReadProfileString(file, "Inputs", "Input" + std::to_string(n));
        if (entry.empty()) continue;
        InputBit& bit = InputBitTable[static_cast<std::size_t>(n)];
        bit.InputName = GetField(entry, 1);
        const std::string ending = std::to_string(n) + "' entry in [Inputs] section in " + phrase;
        if (!ParseIntField(entry, 2, bit.InputUseCode, 0, 127, "Input Use in 'Input" + ending))
            return false;
        if (!ParseIntField(entry, 3, bit.InputPicture, 0, 255, "Input Picture in 'Input" + ending))
            return false;
    }
    return true;
}

int HighestInputBit() {
    return static_cast<int>(InputBitTable.size()) - 1;
}

bool IsDefinedInputBit(int number) {
    return number >= 0 && number <= HighestInputBit() &&
           InputBitTable[static_cast<std::size_t>(number)].InputUseCode != -1;
}

void ResetInputBits() {
    InputBitTable.clear();
}
