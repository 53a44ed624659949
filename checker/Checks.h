// The traps of a disk, found in what the program's own code did with it.
#pragma once

#include <string>
#include <vector>

#include "checker/Report.h"
#include "checker/Simulation.h"

namespace checker {

// Adds a finding for every trap of the disk. `sim` has been set up and has
// selected and installed every capsule; `tree` is every file and folder
// below the disk folder, as CheckerHost::Tree tells them.
void RunChecks(Simulation& sim, Report& report, const std::vector<std::string>& tree);

// The invisible characters at the start of `text` that the reader does not
// trim (a UTF-8 or UTF-16 byte-order mark, no-break spaces, zero-width
// spaces, control characters): how many bytes, and what they are ("" when
// there are none).
struct Invisible {
  std::size_t length = 0;
  std::string what;
};
Invisible LeadingInvisible(const std::string& text);
Invisible TrailingInvisible(const std::string& text);

// Why a file or folder name does not survive Joliet (a character it forbids:
// * / : ; ? \ or a control character; more than 64 UTF-16 units), or "".
std::string JolietProblem(const std::string& name);

}  // namespace checker
