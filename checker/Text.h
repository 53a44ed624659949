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

// The length of the valid UTF-8 sequence at `at` of `text` (no overlong form,
// no surrogate, at most U+10FFFF), with its code point; 0 when the bytes
// there are none.
std::size_t Utf8Sequence(const std::string& text, std::size_t at, char32_t& codePoint);

// How many UTF-16 units `text` takes, each byte that is no valid UTF-8 as one.
std::size_t Utf16Length(const std::string& text);

// `text` as a JSON string in double quotes: quotes, backslashes and control
// characters escaped, valid UTF-8 as it is, and every other byte taken as
// Latin-1 (\u00XX): the .cfg files are ANSI text.
std::string JsonString(const std::string& text);

}  // namespace checker
