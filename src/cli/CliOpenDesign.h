#pragma once
// Opening a design without a user, for the commands that work on configuration files.
#include <string>
#include <vector>

#include "shell/Platform.h"

// Loads the catalogues and opens the file: unknown device types are answered "Yes to All",
// incompatible other devices OK, and every message goes to stderr and, in order, to `shown`
// when given. True when the file opened.
bool OpenDesignWithoutUser(ConsolePlatform& console, const std::string& path,
                           std::vector<std::string>* shown = nullptr);

// The heading of a command's text output for the open design: its file, site and panel, then a
// blank line.
void PrintDesignHeading(const std::string& path);
