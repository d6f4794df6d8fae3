#pragma once
// A catalogue loaded from data files for the options and panel dialogs: the minimal panels
// (current "Acme 8") and cables, and the minimal devices plus 4 "Slave Base" (family 1, a
// slave) and 5 "Icon Only" (family 0 with an icon).
#include "support/TestSupport.h"

class CatalogueTest : public ScriptedTest {
protected:
    void SetUp() override;
    // Empties the tables and loads the catalogue again from the files (a restart).
    void Reload();
    // The messages shown so far, one a line, and forgets them.
    std::string TakeMessages();
};
