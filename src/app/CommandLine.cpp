#include "app/CommandLine.h"

#include <cctype>

#include "shell/Text.h"

namespace {

std::string WithoutEnclosingQuotes(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

bool StartsWithOption(const std::string& text) {
    return text.size() >= 2 && text[0] == '/' && (text.size() == 2 || text[2] == ' ');
}

}  // namespace

CommandLineRequest ParseCommandLine(const std::string& line) {
    CommandLineRequest request;
    std::string text = WithoutEnclosingQuotes(Trim(line));
    if (Trim(text).empty()) return request;
    request.empty = false;
    while (StartsWithOption(text)) {
        request.option = static_cast<char>(std::tolower(static_cast<unsigned char>(text[1])));
        const std::size_t blank = text.find(' ');
        text = blank == std::string::npos ? std::string() : Trim(text.substr(blank + 1));
    }
    request.fileName = WithoutEnclosingQuotes(text);
    return request;
}

std::string JoinCommandLine(const std::vector<std::string>& arguments) {
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty()) line += ' ';
        const bool quote = argument.find(' ') != std::string::npos && !StartsWithOption(argument);
        line += quote ? '"' + argument + '"' : argument;
    }
    return line;
}

std::string UnrecognisedOptionText(char option) {
    return std::string("Command line option not recognised.\r\r'/") + option + "'";
}
