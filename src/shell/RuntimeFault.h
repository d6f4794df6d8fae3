#pragma once
// An unforeseen failure carrying an error number and a description (an arithmetic overflow in
// the calculation, a setting that cannot be stored). Whoever handles the user's action catches
// it and passes it to ReportUnexpectedError (ErrorHandler.h).
#include <string>

struct RuntimeFault {
    long number;
    std::string description;
};
