// Small text helpers of the checker's messages.
#pragma once

#include <string>

namespace checker {

// `text` in double quotes, bytes outside printable ASCII as \xNN.
std::string Q(const std::string& text);

// Only decimal digits, at least one.
bool IsDigits(const std::string& text);
// An optional sign and decimal digits, with blanks around allowed.
bool IsInteger(const std::string& text);
// An optional sign, digits and an optional fraction, with blanks around allowed.
bool IsDecimal(const std::string& text);

}  // namespace checker
