#pragma once
// Exact decimal figures as people type them and as our data files hold them ("1.2", "24",
// "0.5"): read digit by digit, never through binary floating point, so that 2.1 Ah is exactly
// 2.1 Ah and a comparison with a requirement is never off by a rounding error.
#include <optional>
#include <string_view>

#include "shell/Numbers.h"

// A plain decimal number: optional blanks, an optional sign, digits with at most one decimal
// point (at least one digit), optional blanks. At most four decimals count: further decimals
// must be zeros. No exponent, no thousands separators, no decimal comma. Nothing for any other
// text, nor for a number too large for an amount.
std::optional<Amount> ParseDecimalAmount(std::string_view text);
