// How a configuration value that names a program becomes a program path and
// an argument, and how that program is started. Nothing here waits for a
// started program, and every failure is silent: a missing file or a failed
// start simply starts nothing.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "config/BonusConfig.h"
#include "platform/Platform.h"

namespace install {

// The dialog's macro expansion of a capsule value, bound to the capsule.
using MacroExpander = std::function<std::string(const std::string&)>;

// Hands a ".cfg" script to the script library (install::RunScript).
using ScriptRunner = std::function<void(const std::string& scriptPath)>;

struct Command {
  std::string program;
  std::string argument;
};

// %NAME% references of `text` expanded by the system. Nothing when the system
// call fails or its result does not fit the 260-character buffer (the caller
// then keeps the unexpanded text).
std::optional<std::string> ExpandEnvironment(plat::Platform& platform, const std::string& text);

// The short 8.3 form of an existing path; "" when there is none or it does
// not fit the 260-character buffer.
std::string ShortPath(plat::Platform& platform, const std::string& path);

// Resolution of a command value by the macro rules: leading white space
// removed, macros expanded, the result split at "," into the store's
// m_saList. The first part is the program: one double quote removed from each
// end when it begins and ends with one, then environment variables expanded
// (kept as split when that fails). The second part, if any, is the argument:
// when it names an existing file it is expanded for environment variables
// and, if that succeeds, replaced by its short form ("" when there is none);
// otherwise it stays as split. Further parts are ignored; no parts give an
// empty program and argument.
Command ResolveMacroCommand(CBonusConfig& config, const std::string& value,
                            const MacroExpander& expandMacros);

// A capsule's Run value: with a "{", the macro rules; without one, the program
// is capsuleFolder + "\" + the value with leading white space removed (commas
// included) and there is no argument.
Command ResolveRunCommand(CBonusConfig& config, const std::string& capsuleFolder, const std::string& run,
                          const MacroExpander& expandMacros);

// How a MoreInfoRun value is read, by who reads it.
enum class MoreInfoUse {
  kSelection,  // the selection: the first part as split
  kRefresh,    // the link's refresh (timer 202): the first part with trailing
               // white space removed, unquoted and environment-expanded as a
               // program is by the macro rules
  kOpen,       // the link's click: the macro rules in full, argument included
};

// The MoreInfo target of a capsule from its MoreInfoRun value (leading white
// space removed or not): macros expanded and the result split at "," into the
// store's m_saList, the first part read as `use` says. The target is then
// capsuleFolder + "\" + that part when the value has no "{", and the part
// with leading white space removed when it has one. Only kOpen gives an
// argument.
Command ResolveMoreInfo(CBonusConfig& config, const std::string& capsuleFolder,
                        const std::string& moreInfoRun, const MacroExpander& expandMacros, MoreInfoUse use);

// Opens a MoreInfo target that is an existing file: its folder becomes the
// current directory, then the shell opens it ("open", no owner, the
// argument, no directory, normal window). False, with nothing done, when the
// target is no existing file.
bool OpenMoreInfo(CBonusConfig& config, const Command& target);

// Starts a program by the text after the last "." of its path (which may lie
// in a folder name). Nothing when the program is not an existing file, has no
// "." or ends with ".". "cfg" in any case: runScript(program). Any other
// extension of two or more characters: the program's folder becomes the
// current directory, then the shell opens the program ("open", no owner,
// `argument`, no directory, normal window). One character: the program's short
// form is taken, its folder becomes the current directory, and the short form,
// if it names an existing file, is started by process creation without the
// argument.
void LaunchByExtension(CBonusConfig& config, const std::string& program, const std::string& argument,
                       const ScriptRunner& runScript);

// The show state the program passes to the shell and to new processes.
inline constexpr int kShowNormal = 1;

}  // namespace install
