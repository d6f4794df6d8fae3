#pragma once
// The program's own command line: a design file to open, "/p" and a file to open, print and end,
// and any other "/x" option refused.
//
// The whole line is taken, surrounding blanks and enclosing double quotes removed. While the text
// starts with an option (a slash, one character, then a blank or the end), the option is that
// character in lower case and the text becomes what follows the first blank, trimmed. The rest,
// enclosing quotes removed, is the file name. A slash followed by more than one character before
// the first blank ("/home/ann/site.QMR") starts a file name, not an option.
#include <string>
#include <vector>

struct CommandLineRequest {
    bool empty = true;  // nothing was given
    char option = 'o';  // 'o' open, 'p' open and print, anything else refused
    std::string fileName;
    friend bool operator==(const CommandLineRequest&, const CommandLineRequest&) = default;
};

CommandLineRequest ParseCommandLine(const std::string& line);

// The program's arguments as one line: options as given, every other argument in double quotes
// when it holds a blank.
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// "Command line option not recognised." + two carriage returns + "'/x'".
std::string UnrecognisedOptionText(char option);
