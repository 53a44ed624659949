// How the program's command line becomes its arguments.
#pragma once

#include <string>
#include <vector>

namespace plat::win32 {

// Splits a whole command line (as GetCommandLineA gives it, program name
// first) into the arguments after the program name, by the rules of the C
// run-time library's start-up code:
// - the program name ends at the first blank or tab, or, when it starts with
//   a double quote, at the next double quote; it has no escapes;
// - arguments are separated by blanks and tabs outside double quotes;
// - a double quote starts or ends a quoted part and is dropped, except that
//   two double quotes inside a quoted part give one literal quote and the
//   part stays quoted;
// - 2n backslashes before a double quote give n backslashes and the quote
//   acts as above; 2n+1 backslashes give n backslashes and a literal quote;
//   backslashes elsewhere are literal.
std::vector<std::string> SplitCommandLineArguments(const std::string& commandLine);

}  // namespace plat::win32
