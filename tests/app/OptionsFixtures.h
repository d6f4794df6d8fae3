#pragma once
// A loaded catalogue for the options dialog and the panel editor, built from data files:
// families 1 "Detectors" and 2 "Sounders"; types 1 "Optical Detector" (family 1), 2 "Sounder"
// (family 2), 3 "Interface" (family 1), 4 "Slave Base" (family 1, a slave), 5 "Icon Only"
// (family 0 with an icon); the minimal panels (current: "Acme 8") and cables (groups
// 0 "American" US, 1 "European" NONUS, 2 "Common" ALL).
#include <string>
#include <vector>

#include "support/TestSupport.h"

class CatalogueTest : public ScriptedTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // Empties every table and loads the catalogue again from the files (a restart).
    void Reload();
    // The texts of the messages shown so far, and forgets them.
    std::vector<std::string> TakeMessages();
};
