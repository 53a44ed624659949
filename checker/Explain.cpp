#include <algorithm>
#include <array>
#include <sstream>

#include "checker/Dump.h"
#include "checker/RegFile.h"
#include "checker/Text.h"
#include "config/FirstTimeRun.h"
#include "install/InstallText.h"
#include "install/VersionCheck.h"
#include "platform/Text.h"

namespace checker {

namespace {

using CallKind = PlatformCall::Kind;

std::string TypeName(std::uint32_t type) {
  switch (type) {
    case plat::kRegNone:
      return "REG_NONE";
    case plat::kRegSz:
      return "REG_SZ";
    case plat::kRegExpandSz:
      return "REG_EXPAND_SZ";
    case plat::kRegBinary:
      return "REG_BINARY";
    case plat::kRegDword:
      return "REG_DWORD";
    case plat::kRegMultiSz:
      return "REG_MULTI_SZ";
    default:
      return "type " + std::to_string(type);
  }
}

std::string Hex(const std::string& bytes) {
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (i > 0) out += ' ';
    if (i == 32) {
      out += "... (" + std::to_string(bytes.size()) + " bytes)";
      break;
    }
    out += plat::HexByte(static_cast<unsigned char>(bytes[i]));
  }
  return out.empty() ? "none" : out;
}

std::string Describe(const plat::RegValue& value) {
  std::string out = TypeName(value.type);
  if (value.type == plat::kRegDword && value.data.size() == 4) {
    std::uint32_t n = 0;
    for (int i = 3; i >= 0; --i)
      n = (n << 8) | static_cast<unsigned char>(value.data[static_cast<std::size_t>(i)]);
    out += " " + std::to_string(n);
  } else if (auto text = plat::RegistryBufferText(value.data)) {
    out += " " + Q(*text);
  }
  return out + ", raw data " + Hex(value.data);
}

std::string Compare(const std::string& a, const std::string& b) {
  return Q(a) + (a.compare(b) >= 0 ? " compares at least equal to " : " compares below ") + Q(b) +
         " (byte by byte)";
}

std::string KeyName(const PlatformCall& call) {
  return std::string(RootName(call.root)) + (call.path.empty() ? "" : "\\" + call.path);
}

std::string Quad(const std::array<int, 4>& v) {
  return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
         std::to_string(v[3]);
}

class Explainer {
 public:
  explicit Explainer(Simulation& sim) : sim_(sim), config_(sim.Dialog().m_config) {}

  std::string Run() {
    out_ << "== explain: Install of every capsule as the installer runs it (nothing was started)\n";
    const CBonusConfig& c = sim_.AfterSetUp();
    for (std::size_t k = 0; k < c.m_saPackages.size(); ++k) Capsule(static_cast<int>(k));
    FirstTimeRuns();
    return out_.str();
  }

 private:
  const CBonusConfig& Store() const { return sim_.AfterSetUp(); }
  std::string Value(const CStringArray CBonusConfig::*list, int k) const {
    return CBonusConfig::At(Store().*list, k);
  }
  std::string Rel(const std::string& path) const { return sim_.Platform().DiskRelative(path); }

  void Capsule(int k) {
    const std::string folder = CBonusConfig::At(Store().m_saPackages, k);
    const std::string title = Value(&CBonusConfig::m_saTitle, k);
    out_ << "[capsule " << k << "] " << (title.empty() ? "(no title)" : Q(title)) << "   (" << Rel(folder)
         << ")\n";
    if (sim_.StoppedAt() && k == *sim_.StoppedAt()) {
      out_ << "  its capsule file is missing: the installer shows \"Error: ... doesn't exist.\" and closes\n";
      return;
    }
    if (sim_.StoppedAt() && k > *sim_.StoppedAt())
      out_ << "  the installer never gets here (a capsule file above is missing); shown as it would run\n";
    if (title.empty()) {
      out_ << "  no tree item (empty Title): it cannot be selected or installed\n";
      return;
    }
    const CapsuleRun* run = nullptr;
    for (const CapsuleRun& r : sim_.Runs())
      if (r.capsule == k) run = &r;
    if (run == nullptr) return;
    if (run->selected != k) {
      out_ << "  selecting " << Q(title) << " selects capsule " << run->selected
           << ", the first with that title: this capsule can never be installed\n";
      return;
    }
    Selection(*run);
    VersionCheck(k, *run);
    Install(k, *run);
  }

  void Selection(const CapsuleRun& run) {
    out_ << "  selection: " << (run.descriptionLoaded ? "description loaded" : "no description loaded")
         << "; " << (run.soundPlayed.empty() ? "no sound" : "sound " + Rel(run.soundPlayed))
         << "; MoreInfo link " << (run.moreInfoShown.value_or(false) ? "shown" : "hidden")
         << "; Install button " << Q(run.installCaption)
         << (run.installEnabled ? " enabled" : " disabled (a double click in the tree still installs)")
         << ", close button " << Q(run.closeCaption) << "\n";
  }

  bool Asked(const CapsuleRun& run, std::string* question) const {
    for (const RecordingView::Box& box : run.checkBoxes) {
      if (box.type == install::kAskStyle) {
        if (question != nullptr) *question = box.text;
        return true;
      }
    }
    return false;
  }

  void VersionCheck(int k, const CapsuleRun& run) {
    const std::string registry = plat::TrimLeft(Value(&CBonusConfig::m_saRegistry, k));
    const std::string version = plat::TrimLeft(Value(&CBonusConfig::m_saVersion, k));
    const std::string file = Value(&CBonusConfig::m_saFile, k);
    if (!registry.empty()) {
      out_ << "  installed version: registry check of " << Q(registry) << " against Version " << Q(version)
           << "\n";
      RegistryEvidence(run, version);
    } else if (!file.empty()) {
      out_ << "  installed version: file check of File " << Q(file) << " against Version " << Q(version)
           << "\n";
      FileEvidence(k, run, file, version);
    } else {
      out_ << "  installed version: no Registry and no File: not checked\n";
      return;
    }
    std::string question;
    if (Asked(run, &question))
      out_ << "    verdict: the question " << Q(question)
           << " is asked (Yes/No, No as default; No stops the install)\n";
    else
      out_ << "    verdict: no question; the install goes on\n";
  }

  void RegistryEvidence(const CapsuleRun& run, const std::string& version) {
    std::vector<const PlatformCall*> calls;
    for (const PlatformCall& call : run.checkCalls)
      if (call.kind == CallKind::RegKey || call.kind == CallKind::RegValue) calls.push_back(&call);
    if (calls.empty()) {
      out_ << "    no root name recognised (HKEY_LOCAL_MACHINE\\, HKEY_CLASSES_ROOT, HKEY_USERS, "
              "HKEY_CURRENT_USER in exact case): taken as not installed\n";
      return;
    }
    std::size_t i = 0;
    const PlatformCall& whole = *calls[i++];
    const std::string rest = whole.path;
    const auto slash = rest.rfind('\\');
    const std::string lastPart = slash == std::string::npos ? rest : rest.substr(slash + 1);
    if (whole.found) {
      out_ << "    key " << KeyName(whole) << " exists; its last part " << Compare(lastPart, version) << "\n";
      if (lastPart.compare(version) >= 0) return;
      if (i < calls.size() && calls[i]->kind == CallKind::RegValue) {
        const PlatformCall& value = *calls[i];
        if (!value.value) {
          out_ << "    its default value: not set\n";
        } else {
          out_ << "    its default value: " << Describe(*value.value) << "\n";
          if (auto text = plat::RegistryBufferText(value.value->data))
            out_ << "    " << Compare(*text, version) << "\n";
          else
            out_ << "    longer than the 260-byte buffer: unreadable\n";
        }
      }
      return;
    }
    out_ << "    key " << KeyName(whole) << " does not exist\n";
    if (i >= calls.size()) return;
    const PlatformCall& parent = *calls[i++];
    if (!parent.found) {
      out_ << "    key " << KeyName(parent) << " does not exist either: taken as not installed\n";
      return;
    }
    out_ << "    key " << KeyName(parent) << " exists\n";
    if (i >= calls.size()) return;
    const PlatformCall& value = *calls[i];
    if (!value.value) {
      out_ << "    it has no value " << Q(value.name) << ": taken as not installed\n";
      return;
    }
    out_ << "    value " << Q(value.name) << ": " << Describe(*value.value) << "\n";
    const auto text = plat::RegistryBufferText(value.value->data);
    if (!text) {
      out_ << "    longer than the 260-byte buffer: unreadable, taken as not installed\n";
      return;
    }
    if (value.value->type == plat::kRegSz) {
      out_ << "    " << Compare(*text, version) << "\n";
    } else if (value.value->type == plat::kRegDword) {
      if (value.value->data.size() != 4) {
        out_ << "    not four bytes long: no number, taken as not installed\n";
        return;
      }
      std::uint32_t n = 0;
      for (int b = 3; b >= 0; --b)
        n = (n << 8) | static_cast<unsigned char>(value.value->data[static_cast<std::size_t>(b)]);
      const int reference = plat::ParseLeadingInt(version);
      out_ << "    the number " << n
           << (static_cast<long long>(n) >= reference ? " is at least " : " is below ") << reference
           << ", the leading number of Version\n";
    } else {
      out_ << "    neither REG_SZ nor REG_DWORD: no comparison, no question\n";
    }
  }

  void FileEvidence(int k, const CapsuleRun& run, const std::string& file, const std::string& version) {
    CBonusConfig scratch(sim_.Platform());
    const std::array<int, 4> reference = install::ReferenceVersion(scratch, version);
    const std::string expanded = plat::TrimLeft(sim_.Expand(file, k));
    scratch.SplitIntoList(expanded, ",");
    const std::string path = scratch.m_saList.empty() ? std::string() : scratch.m_saList[0];
    out_ << "    file " << Q(path) << "; reference version " << Quad(reference)
         << " (Version split at \".\" and \",\", missing fields -1)\n";
    const PlatformCall* read = nullptr;
    for (const PlatformCall& call : run.checkCalls)
      if (call.kind == CallKind::ProductVersion) read = &call;
    if (read == nullptr) {
      out_ << "    the file does not exist: taken as not installed\n";
      return;
    }
    if (!read->version) {
      out_ << "    the file has no readable version resource: taken as not installed\n";
      return;
    }
    const plat::ProductVersion& v = *read->version;
    const std::array<int, 4> installed = {v.major, v.minor, v.build, v.revision};
    out_ << "    its product version: " << Quad(installed) << "\n";
    for (const RecordingView::Box& box : run.checkBoxes)
      if (box.caption == install::kProductVersionCaption)
        out_ << "    the diagnostic box \"Bonus Test\" shows " << Q(box.text) << "\n";
    static const char* const kFields[] = {"major", "minor", "build", "revision"};
    for (std::size_t i = 0; i < 4; ++i) {
      if (reference[i] == installed[i]) continue;
      if (reference[i] > installed[i])
        out_ << "    the reference is greater at the " << kFields[i] << " field (" << reference[i] << " > "
             << installed[i] << "): asked when AskMsg is set\n";
      else
        out_ << "    the reference is smaller at the " << kFields[i] << " field (" << reference[i] << " < "
             << installed[i] << "): a newer version is installed, no question\n";
      return;
    }
    out_ << "    all four fields are equal: asked when AskMsg is set\n";
  }

  void Install(int k, const CapsuleRun& run) {
    bool confirmed = false;
    for (const PlatformCall& call : run.installCalls) {
      if (call.kind == CallKind::MessageBox && call.type == plat::kMbOkCancel) {
        out_ << "  confirmation: " << Q(call.text.substr(0, call.text.find('\n')))
             << "... (OK/Cancel; Cancel stops here)\n";
        confirmed = true;
      }
    }
    if (!confirmed)
      out_ << "  confirmation: none (Disclaimer " << Q(Value(&CBonusConfig::m_saDisclaimer, k)) << ")\n";
    const std::string runValue = Value(&CBonusConfig::m_saRun, k);
    out_ << "  command: Run " << Q(runValue) << " -> program " << Q(run.command.program) << ", argument "
         << Q(run.command.argument) << "\n";

    std::string directory;
    bool started = false;
    for (const PlatformCall& call : run.installCalls) {
      const bool companion = std::find(run.companionShorts.begin(), run.companionShorts.end(), call.path) !=
                             run.companionShorts.end();
      if (call.kind == CallKind::SetCurrentDirectory) directory = call.path;
      if (call.kind == CallKind::ShellExecute) {
        out_ << "  start: the shell's \"" << call.verb << "\" of " << Q(call.path) << " with "
             << Q(call.argument) << ", current folder " << Q(directory) << "\n";
        started = true;
      }
      if (call.kind == CallKind::CreateProcess && !companion) {
        out_ << "  start: process creation of " << Q(call.path)
             << " (a one-letter extension: no argument is passed), current folder " << Q(directory) << "\n";
        started = true;
      }
      if (call.kind == CallKind::LoadLibrary) {
        if (call.handle == 0)
          out_ << "  start: a script for the script library, but " << CBonusConfig::GetLastPathPart(call.path)
               << " is not found: nothing starts\n";
        else
          out_ << "  start: the script library " << call.path << " is loaded";
        started = true;
      }
      if (call.kind == CallKind::ScriptInstall) out_ << " and its Install is handed " << Q(call.path) << "\n";
    }
    if (!started) out_ << "  start: nothing: " << WhyNothing(run.command.program) << "\n";

    out_ << "  companions:";
    for (std::size_t i = 0; i < run.companions.size(); ++i) {
      out_ << (i > 0 ? "," : "") << " " << Rel(run.companions[i])
           << (run.companionShorts[i].empty() ? " (missing)" : " (started by process creation)");
    }
    out_ << "\n";

    out_ << "  MoreInfo: ";
    const std::string moreTitle = Value(&CBonusConfig::m_saMoreInfoTitle, k);
    if (moreTitle.empty()) {
      out_ << "no MoreInfoTitle, no link\n";
      return;
    }
    out_ << (run.moreInfoTimerStarted ? "timer 202 polls for the target; " : "");
    bool opened = false;
    for (const PlatformCall& call : run.moreInfoCalls) {
      if (call.kind == CallKind::ShellExecute) {
        out_ << "the link " << Q(moreTitle) << " opens " << Q(call.path) << " with the shell's \""
             << call.verb << "\"\n";
        opened = true;
      }
    }
    if (!opened)
      out_ << "the target " << Q(run.moreInfoCommand.program)
           << " does not exist now: the link shows once it does\n";
  }

  std::string WhyNothing(const std::string& program) {
    if (program.empty()) return "no program (Run is empty)";
    if (!config_.FileExists(program, false, CString())) return Q(program) + " does not exist";
    const auto dot = program.rfind('.');
    if (dot == std::string::npos) return "the program's path has no \".\"";
    if (dot + 1 == program.size()) return "the program's path ends with \".\"";
    return "its short form does not exist";
  }

  void FirstTimeRuns() {
    const CBonusConfig& c = Store();
    for (int mode = 1; mode <= 2; ++mode) {
      const std::string value = mode == 1 ? c.m_sSplash1 : c.m_sSplash2;
      if (value.empty()) continue;
      out_ << "[Run" << mode << "] " << Q(value) << "\n";
      bool started = false;
      for (const PlatformCall& call : sim_.FirstTimeRun(mode)) {
        if (call.kind == CallKind::CreateProcess) {
          out_ << "  process creation of " << Q(call.path)
               << (mode == 1 ? ", before the main dialog opens" : ", once the main dialog has appeared")
               << "\n";
          started = true;
        }
        if (call.kind == CallKind::Sleep) out_ << "  then a pause of " << call.number / 1000 << " s\n";
      }
      if (!started) out_ << "  nothing starts: the program is not in the data folder\n";
    }
  }

  Simulation& sim_;
  CBonusConfig& config_;
  std::ostringstream out_;
};

}  // namespace

std::string ExplainText(Simulation& sim) { return Explainer(sim).Run(); }

}  // namespace checker
