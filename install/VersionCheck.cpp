#include "install/VersionCheck.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "install/InstallText.h"
#include "platform/Text.h"

namespace install {

namespace {

// False only when the direct question was answered No.
bool AskDirectly(const VersionCheckContext& context) {
  return context.messageBox(context.askMsg, context.caption, kAskStyle) != plat::kIdNo;
}

bool Reinstall(const VersionCheckContext& context) {
  return AskReinstall(context.askMsg, context.caption, context.messageBox);
}

std::string FormatProductVersion(const std::string& path, const plat::ProductVersion& v) {
  int size = std::snprintf(nullptr, 0, kProductVersionFormat, path.c_str(), int{v.major}, int{v.minor},
                           int{v.build}, int{v.revision});
  if (size < 0) return {};
  std::vector<char> text(static_cast<std::size_t>(size) + 1);
  std::snprintf(text.data(), text.size(), kProductVersionFormat, path.c_str(), int{v.major}, int{v.minor},
                int{v.build}, int{v.revision});
  return std::string(text.data(), static_cast<std::size_t>(size));
}

}  // namespace

bool AskReinstall(const std::string& askMsg, const std::string& caption, const DialogMessageBox& messageBox) {
  if (askMsg.empty()) return true;
  return messageBox(askMsg, caption, kAskStyle) != plat::kIdNo;
}

bool CheckInstalledVersion(CBonusConfig& config, const std::string& registry, const std::string& version,
                           const std::string& file, const VersionCheckContext& context) {
  std::string reg = plat::TrimLeft(registry);
  std::string ver = plat::TrimLeft(version);
  if (!reg.empty()) return CheckRegistryVersion(config.Platform(), reg, ver, context);
  if (file.empty()) return true;
  return CheckFileVersion(config, file, ver, context);
}

bool CheckRegistryVersion(plat::Platform& platform, const std::string& registry, const std::string& version,
                          const VersionCheckContext& context) {
  const RegistryRootName* root = FindRegistryRoot(registry);
  if (root == nullptr) return true;

  std::string rest = KeyBelowRoot(registry, *root);
  std::size_t slash = rest.rfind('\\');
  std::string lastPart = slash == std::string::npos ? rest : rest.substr(slash + 1);
  std::string keyPath = slash == std::string::npos ? std::string() : rest.substr(0, slash);

  if (platform.RegKeyExists(root->root, rest)) {
    if (lastPart.compare(version) >= 0) return AskDirectly(context);
    const auto value = platform.RegQueryValue(root->root, rest, "");
    const auto valueText = value ? plat::RegistryBufferText(value->data) : std::nullopt;
    if (valueText && valueText->compare(version) >= 0) return AskDirectly(context);
    return true;
  }

  if (!platform.RegKeyExists(root->root, keyPath)) return true;
  auto value = platform.RegQueryValue(root->root, keyPath, lastPart);
  const auto valueText = value ? plat::RegistryBufferText(value->data) : std::nullopt;
  if (!valueText) return true;
  if (value->type == plat::kRegSz) {
    if (valueText->compare(version) >= 0) return AskDirectly(context);
  } else if (value->type == plat::kRegDword) {
    // Read again into a 32-bit number: only data of exactly that size is one.
    if (value->data.size() != 4) return true;
    std::uint32_t number = 0;
    for (int i = 3; i >= 0; --i)
      number = (number << 8) | static_cast<unsigned char>(value->data[static_cast<std::size_t>(i)]);
    if (static_cast<long long>(number) >= plat::ParseLeadingInt(version)) return AskDirectly(context);
  }
  return true;
}

std::array<int, 4> ReferenceVersion(CBonusConfig& config, const std::string& version) {
  std::array<int, 4> fields = {-1, -1, -1, -1};
  config.SplitIntoList(version, ".,");
  for (std::size_t i = 0; i < fields.size() && i < config.m_saList.size(); ++i)
    fields[i] = plat::ParseLeadingInt(config.m_saList[i]);
  return fields;
}

bool CheckFileVersion(CBonusConfig& config, const std::string& file, const std::string& version,
                      const VersionCheckContext& context) {
  std::string expanded = plat::TrimLeft(context.expandMacros ? context.expandMacros(file) : file);
  std::array<int, 4> reference = ReferenceVersion(config, version);

  config.SplitIntoList(expanded, ",");
  std::string path = config.m_saList.empty() ? std::string() : config.m_saList[0];
  bool diagnostic = config.m_saList.size() >= 2 && config.m_saList[1] == "test";
  if (!config.FileExists(path, false, "")) return true;

  auto product = config.Platform().FileProductVersion(path);
  if (!product) return true;
  std::array<int, 4> installed = {product->major, product->minor, product->build, product->revision};
  if (diagnostic)
    context.messageBox(FormatProductVersion(path, *product), kProductVersionCaption, plat::kMbOk);

  for (std::size_t i = 0; i < reference.size(); ++i) {
    if (reference[i] > installed[i]) return Reinstall(context);
    if (reference[i] < installed[i]) return true;
  }
  return Reinstall(context);
}

}  // namespace install
