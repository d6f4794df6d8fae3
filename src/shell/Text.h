#pragma once
// Text helpers: the Windows-1252 <-> UTF-8 edge, line splitting, trimming and case.
#include <string>
#include <string_view>
#include <vector>

// Files hold single-byte Windows-1252; inside the program text is UTF-8.
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters without a Windows-1252 code become '?'. Invalid UTF-8 bytes are taken as Windows-1252.
std::string Utf8ToCp1252(std::string_view utf8);

// Splits text into lines ended by CR LF or LF alone; a final line without an end is kept.
std::vector<std::string> SplitLines(std::string_view text);

// Removes leading and trailing blanks (spaces and tabs).
std::string Trim(std::string_view s);
std::string_view TrimmedView(std::string_view s);      // the same, as a view of `s`
std::string_view LeftTrimmedView(std::string_view s);  // leading blanks only, as a view
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// ASCII letter case only (the data files' keys and codes are ASCII).
std::string UCase(std::string_view s);
std::string LCase(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
bool StartsWithNoCase(std::string_view s, std::string_view prefix);
// The value of a hexadecimal digit (either case); -1 for any other character.
int HexDigit(char c);
