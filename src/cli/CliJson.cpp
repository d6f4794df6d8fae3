#include "CliJson.h"

#include <cstdint>
#include <iostream>

nlohmann::ordered_json JsonNumber(Amount a, int powerOfTen) {
    std::int64_t divisor = Amount::kScale;
    for (int i = 0; i < powerOfTen; ++i)
        divisor *= 10;
    if (a.Scaled() % divisor == 0) return a.Scaled() / divisor;
    // Both operands are exact doubles, so the quotient is the double nearest the decimal, which
    // the JSON writer prints back as that decimal.
    return static_cast<double>(a.Scaled()) / static_cast<double>(divisor);
}

void PrintJsonObject(const nlohmann::ordered_json& object) {
    std::cout << object.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
              << std::endl;
}
