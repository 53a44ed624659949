#include "checker/CapsuleCheck.h"

#include <algorithm>
#include <optional>

#include "checker/Checks.h"
#include "checker/Dump.h"
#include "checker/Keys.h"
#include "checker/RegFile.h"
#include "checker/Report.h"
#include "checker/Simulation.h"
#include "platform/Text.h"

namespace checker {

namespace {

constexpr const char* kUsage =
    "usage: capsule-check DISK_FOLDER_OR_MAIN_CFG [--source-dir DIR] [--windows-dir DIR]\n"
    "                     [--registry FILE.reg] [--format=text|json|sarif] [--dump] [--explain]\n"
    "\n"
    "Reads a product disk exactly as the installer does and reports every configuration trap,\n"
    "as FILE:LINE: error|warning: message. Exit status: 0 clean, 1 warnings, 2 errors.\n"
    "\n"
    "  DISK_FOLDER_OR_MAIN_CFG  the data folder (holding VERavevi.cfg and the capsule folders),\n"
    "                           or its main .cfg file\n"
    "  --source-dir DIR         the path under which the installer sees that folder, the value of\n"
    "                           {SRC_DIR} (default: the folder's own path)\n"
    "  --windows-dir DIR        the Windows folder to assume, the value of {WIN_DIR}\n"
    "                           (default: this system's)\n"
    "  --registry FILE.reg      answer registry reads from this REGEDIT4 export instead of the\n"
    "                           system's registry (where there is none, the registry is empty)\n"
    "  --format=FORMAT          text (compiler style, the default), json (a list of findings) or\n"
    "                           sarif (SARIF 2.1.0, for CI systems)\n"
    "  --dump                   print every key's effective value per capsule after set-up, and\n"
    "                           Run, MoreInfoRun and File after macro expansion\n"
    "  --explain                a dry run of Install for every capsule: what is checked, asked\n"
    "                           and started (nothing is started)\n";

struct Options {
  std::string disk;
  std::optional<std::string> sourceDir;
  std::optional<std::string> windowsDir;
  std::optional<std::string> registry;
  Format format = Format::Text;
  bool dump = false;
  bool explain = false;
  bool help = false;
};

std::optional<Options> Parse(const std::vector<std::string>& args, std::ostream& err) {
  Options options;
  bool haveDisk = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    std::optional<std::string> inlineValue;
    if (arg.compare(0, 2, "--") == 0) {
      const auto eq = arg.find('=');
      if (eq != std::string::npos) {
        inlineValue = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
      }
    }
    auto value = [&](std::optional<std::string>& into) {
      if (inlineValue) {
        into = *inlineValue;
        return true;
      }
      if (i + 1 >= args.size()) {
        err << "capsule-check: " << arg << " needs a value\n";
        return false;
      }
      into = args[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--dump") {
      options.dump = true;
    } else if (arg == "--explain") {
      options.explain = true;
    } else if (arg == "--source-dir") {
      if (!value(options.sourceDir)) return std::nullopt;
    } else if (arg == "--windows-dir") {
      if (!value(options.windowsDir)) return std::nullopt;
    } else if (arg == "--registry") {
      if (!value(options.registry)) return std::nullopt;
    } else if (arg == "--format") {
      std::optional<std::string> format;
      if (!value(format)) return std::nullopt;
      if (*format == "text") {
        options.format = Format::Text;
      } else if (*format == "json") {
        options.format = Format::Json;
      } else if (*format == "sarif") {
        options.format = Format::Sarif;
      } else {
        err << "capsule-check: --format is text, json or sarif, not " << *format << "\n";
        return std::nullopt;
      }
    } else if (!arg.empty() && arg.front() == '-' && arg != "-") {
      err << "capsule-check: unknown option " << arg << "\n" << kUsage;
      return std::nullopt;
    } else if (haveDisk) {
      err << "capsule-check: one disk at a time (" << options.disk << ", " << arg << ")\n";
      return std::nullopt;
    } else {
      options.disk = arg;
      haveDisk = true;
    }
  }
  if (!haveDisk && !options.help) {
    err << kUsage;
    return std::nullopt;
  }
  if (options.format != Format::Text && (options.dump || options.explain)) {
    err << "capsule-check: --dump and --explain write text: use them with --format=text\n";
    return std::nullopt;
  }
  return options;
}

std::string WithoutTrailingSeparators(std::string path) {
  while (path.size() > 1 && (path.back() == '/' || path.back() == '\\')) path.pop_back();
  return path;
}

// The folder part of a path as typed ("" when it has none).
std::string TypedFolder(const std::string& path) {
  const auto slash = path.find_last_of("/\\");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string SystemFolder(CheckerHost& host, const std::string& argument) {
  std::string path = IsWindowsAbsolute(argument) ? argument : host.SystemPath(argument);
  while (path.size() > 2 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

}  // namespace

bool IsWindowsAbsolute(const std::string& path) {
  if (path.size() >= 2 && path[1] == ':' &&
      ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')))
    return true;
  return path.size() >= 2 && path[0] == '\\' && path[1] == '\\';
}

std::vector<std::string> TreeBelow(const std::filesystem::path& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> tree;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
       !error && it != end; it.increment(error)) {
    try {
      const std::u8string relative = it->path().lexically_relative(folder).generic_u8string();
      tree.emplace_back(relative.begin(), relative.end());
    } catch (const fs::filesystem_error&) {
      // A name that is no valid UTF-16 has no UTF-8 form; Windows only.
    }
  }
  return tree;
}

int RunCapsuleCheck(const std::vector<std::string>& arguments, CheckerHost& host, std::ostream& out,
                    std::ostream& err) {
  const auto options = Parse(arguments, err);
  if (!options) return 2;
  if (options->help) {
    out << kUsage;
    return 0;
  }

  plat::Platform& system = host.Platform();
  const std::string given = SystemFolder(host, options->disk);
  const auto attributes = system.GetFileAttributes(given);
  if (!attributes) {
    err << "capsule-check: " << options->disk << ": no such folder or file\n";
    return 2;
  }
  std::string diskFolder, mainName, displayBase;
  if (attributes->directory) {
    diskFolder = given;
    mainName = "VERavevi.cfg";
    displayBase = WithoutTrailingSeparators(options->disk);
  } else {
    diskFolder = CBonusConfig::GetFolderPart(given);
    mainName = CBonusConfig::GetLastPathPart(given);
    displayBase = TypedFolder(options->disk);
  }
  const std::string baseName = mainName.substr(0, mainName.find('.'));
  if (plat::AsciiLower(mainName) != plat::AsciiLower(baseName) + ".cfg") {
    err << "capsule-check: " << options->disk << ": the main file is named after the program, up to the "
        << "program name's first \".\", with \".cfg\" (" << baseName << ".cfg for " << baseName << ".exe)\n";
    return 2;
  }

  Report report;
  std::optional<RegFile> registry;
  if (options->registry) {
    std::string bytes;
    if (!system.ReadFileBytes(host.SystemPath(*options->registry), bytes)) {
      err << "capsule-check: " << *options->registry << ": cannot be read\n";
      return 2;
    }
    registry = RegFile::Parse(bytes);
    for (const RegFile::Problem& problem : registry->Problems())
      report.Error(Rule::RegistryExport, *options->registry, problem.line,
                   "registry export: " + problem.message);
  }

  CheckerLayout layout;
  layout.dataFolder = options->sourceDir ? SystemFolder(host, *options->sourceDir) : diskFolder;
  layout.diskFolder = diskFolder;
  layout.baseName = baseName;
  if (options->windowsDir) layout.windowsDir = SystemFolder(host, *options->windowsDir);
  layout.registry = registry ? &*registry : nullptr;

  Simulation sim(system, layout);
  const char separator = host.Separator();
  const DisplayPath display = [&](const std::string& path) -> std::string {
    if (path.empty()) return displayBase.empty() ? std::string(".") : displayBase;
    if (!sim.Platform().OnDisk(path)) return path;
    std::string rel = sim.Platform().DiskRelative(path);
    for (char& c : rel)
      if (c == '\\' || c == '/') c = separator;
    if (displayBase.empty()) return rel;
    if (rel.empty()) return displayBase;
    return displayBase + separator + rel;
  };
  // The machine formats name files relative to the disk, with "/".
  const DisplayPath uri = [&](const std::string& path) {
    std::string shown = sim.Platform().DiskRelative(path);
    std::replace(shown.begin(), shown.end(), '\\', '/');
    return shown;
  };
  const DisplayPath& shown = options->format == Format::Text ? display : uri;

  const std::string mainFile = sim.Platform().Layout().dataFolder + "\\" + mainName;
  const auto mainAttributes = sim.Platform().GetFileAttributes(mainFile);
  if (!mainAttributes || mainAttributes->directory) {
    report.Error(Rule::MainFileMissing, mainFile, 0,
                 "there is no " + mainName + ": the installer asks for the disk and finds nothing to show",
                 "the main file lies in the data folder, beside the capsule folders");
    report.Write(out, options->format, shown);
    return report.ExitStatus();
  }

  sim.SetUp();
  std::string dump;
  if (options->dump) dump = DumpText(sim, display);
  sim.SelectAndInstallAll();
  RunChecks(sim, report, host.Tree(diskFolder));
  report.Write(out, options->format, shown);
  if (options->dump) out << dump;
  if (options->explain) out << ExplainText(sim);
  return report.ExitStatus();
}

}  // namespace checker
