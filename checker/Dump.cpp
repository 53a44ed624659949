#include "checker/Dump.h"

#include <sstream>

#include "checker/Keys.h"
#include "checker/Text.h"
#include "platform/Text.h"

namespace checker {

namespace {

std::string Origin(Simulation& sim, const DisplayPath& display, const std::string& key, int capsule) {
  const auto ref = sim.Log().Origin(key, capsule);
  if (!ref) return "not set";
  return display(sim.Log().ReadOf(*ref).path) + ":" + std::to_string(sim.Log().lines[*ref].number);
}

// What the dialog makes of a value, for the keys where that differs from the text.
std::string Effect(const KeyInfo& key, const std::string& value) {
  const std::string name(key.name);
  if (name == "Height") {
    const int size = plat::ParseLeadingInt(value);
    const int used = size > 0 ? size : 42;
    return "icons " + std::to_string(used) + " x " + std::to_string(used);
  }
  if (name == "Distance") {
    const auto rows = static_cast<std::int16_t>(
        static_cast<std::uint16_t>(static_cast<unsigned>(plat::ParseLeadingInt(value)) & 0xFFFFu));
    return "rows " + std::to_string(rows != 0 ? rows : 16) + " pixels high";
  }
  if (name == "Button1") return value.empty() ? "caption \"Install\"" : std::string();
  if (name == "Button2") return value.empty() ? "caption \"Close\"" : std::string();
  if (name == "Disabled")
    return plat::TrimLeft(value) == "1" ? "Install button disabled" : "Install button enabled";
  if (name == "Disclaimer") {
    const std::string t = plat::TrimLeft(value);
    return !t.empty() && plat::ParseLeadingInt(t) != 0 ? "confirmation shown" : "no confirmation";
  }
  return {};
}

void Line(std::ostringstream& out, const KeyInfo& key, const std::string& value, const std::string& origin) {
  out << "  " << key.name << " = " << Q(value);
  const std::string effect = Effect(key, value);
  out << "   (" << origin;
  if (!effect.empty()) out << "; " << effect;
  out << ")\n";
}

}  // namespace

std::string DumpText(Simulation& sim, const DisplayPath& display) {
  const CBonusConfig& c = sim.AfterSetUp();
  std::ostringstream out;
  out << "== dump: the main dialog's values after set-up\n";
  out << "data folder ({SRC_DIR}, {RUN_DIR}) = " << Q(c.m_sDataDir) << "\n";
  out << "Windows folder ({WIN_DIR})         = " << Q(c.m_sWindowsDir) << "\n";
  out << "system folder ({WIN_SYS_DIR})      = " << Q(c.m_sSystemDir) << "\n";
  out << "main file                          = " << Q(c.m_sConfigPath) << "\n";
  out << "capsules                           = " << c.m_saPackages.size() << "\n";
  out << "[dialog]\n";
  for (const KeyInfo& key : AllKeys()) {
    if (!key.DialogWide()) continue;
    Line(out, key, c.*key.scalar, Origin(sim, display, std::string(key.name), -1));
  }
  for (std::size_t k = 0; k < c.m_saPackages.size(); ++k) {
    const int capsule = static_cast<int>(k);
    const std::string folder = c.m_saPackages[k];
    out << "[capsule " << k << "] " << Q(sim.Platform().DiskRelative(folder)) << "   (file "
        << display(folder + "\\" + CBonusConfig::GetLastPathPart(folder) + ".cfg");
    if (sim.StoppedAt() && capsule == *sim.StoppedAt()) out << ", missing: set-up stops here";
    if (sim.StoppedAt() && capsule > *sim.StoppedAt()) out << ", never read by the installer";
    out << ")\n";
    for (const KeyInfo& key : AllKeys()) {
      if (key.DialogWide()) continue;
      const std::string value = CBonusConfig::At(c.*key.list, capsule);
      Line(out, key, value, Origin(sim, display, std::string(key.name), capsule));
      if (key.name == "Run" || key.name == "MoreInfoRun" || key.name == "File") {
        if (value.find('{') != std::string::npos)
          out << "      expanded = " << Q(sim.Expand(plat::TrimLeft(value), capsule)) << "\n";
        else if (!value.empty() && key.name == "Run")
          out << "      in the capsule folder = " << Q(folder + "\\" + plat::TrimLeft(value)) << "\n";
        else if (!value.empty() && key.name == "MoreInfoRun")
          out << "      in the capsule folder = "
              << Q(folder + "\\" +
                   plat::Trim(plat::TrimLeft(value).substr(0, plat::TrimLeft(value).find(','))))
              << "\n";
      }
    }
  }
  return out.str();
}

}  // namespace checker
