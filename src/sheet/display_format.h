#pragma once

// What a formatted field shows of its value while it does not have the focus.
// A value that is not a number is shown as it stands, the empty value as nothing.

#include <string>
#include <string_view>

// A fraction as a percentage: 0.0123 with 3 decimals shows "1.230%".
std::string percentDisplay(std::string_view value, int decimals);

// A pressure as a whole number with thousands commas and at least four digits,
// then two blanks and "PSI": 950.4 shows "0,950  PSI". A half rounds away from zero.
std::string psiDisplay(std::string_view value);
