// --dump and --explain: the disk's values as the main dialog holds them after
// set-up, and a dry run of Install for every capsule.
#pragma once

#include <functional>
#include <string>

#include "checker/Simulation.h"

namespace checker {

// Turns a file name of the program into the text shown for it.
using DisplayPath = std::function<std::string(const std::string&)>;

// Every key's effective value, dialog-wide and per capsule, with the line
// that set it, and Run, MoreInfoRun and File after macro expansion. Call
// right after set-up: selections re-read the main file.
std::string DumpText(Simulation& sim, const DisplayPath& display);

// For every capsule: what selecting it showed, the installed-version check
// with its evidence and verdict, the confirmation, the resolved command and
// how it is started, the companion programs and the MoreInfo link; and the
// first-time runs. Call after SelectAndInstallAll.
std::string ExplainText(Simulation& sim);

}  // namespace checker
