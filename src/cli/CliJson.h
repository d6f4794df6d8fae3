#pragma once
// How the commands write JSON: exact amounts as JSON numbers, and one object per run.
#include <nlohmann/json.hpp>

#include "shell/Numbers.h"

// An amount as a JSON number: whole amounts as integers, others with their decimals. With
// `powerOfTen` the amount is first divided by that power of ten (6 turns µA into A), still
// exactly: the number written has the decimals of the quotient and no others.
nlohmann::ordered_json JsonNumber(Amount a, int powerOfTen = 0);

// Writes the object to stdout, indented, with a line end. Texts are UTF-8 except a file name
// given in another encoding: its bytes that are not UTF-8 are shown as replacement characters.
void PrintJsonObject(const nlohmann::ordered_json& object);
