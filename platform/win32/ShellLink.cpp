#include "platform/win32/SizedText.h"
#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Win32Api.h"
#include "platform/win32/Win32Platform.h"

namespace plat {

using win32::ComPtr;
using win32::NoThrow;
using win32::Widen;

namespace {

// COM for the calling thread, for as long as the object lives; given back
// only when this object took it.
class ComApartment {
 public:
  ComApartment() noexcept : initialised_(SUCCEEDED(::CoInitialize(nullptr))) {}
  ~ComApartment() {
    if (initialised_) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialised_;
};

// The shell's link object and its file interface; both empty when either
// cannot be had.
struct LinkObject {
  ComPtr<IShellLinkA> link;
  ComPtr<IPersistFile> file;
};

LinkObject CreateLinkObject() {
  LinkObject object;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(object.link.Receive())))) {
    object.link.Release();
    return object;
  }
  if (FAILED(object.link.Get()->QueryInterface(IID_IPersistFile,
                                               reinterpret_cast<void**>(object.file.Receive()))))
    object.file.Release();
  return object;
}

// Long enough for any path or argument text the link object keeps.
constexpr int kFieldBuffer = 32 * 1024;

// The show command as a shortcut file's fixed header holds it: a header of
// 0x4C bytes that starts with its own size, the command at offset 0x3C.
std::optional<int> HeaderShowCommand(Platform& platform, const std::string& linkFile) {
  std::string bytes;
  if (!platform.ReadFileBytes(linkFile, bytes) || bytes.size() < 0x4C) return std::nullopt;
  auto word = [&bytes](std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
      value |= std::uint32_t{static_cast<unsigned char>(bytes[at + i])} << (8 * i);
    return value;
  };
  if (word(0) != 0x4C) return std::nullopt;
  return static_cast<int>(word(0x3C));
}

}  // namespace

bool Win32Platform::SaveShellLink(const ShellLinkFields& fields, const std::string& linkFile) {
  return NoThrow(false, [&] {
    const std::wstring widePath = Widen(linkFile);
    if (widePath.empty()) return false;
    ComApartment apartment;
    LinkObject object = CreateLinkObject();
    if (!object.link || !object.file) return false;
    IShellLinkA* link = object.link.Get();
    // The setters' results are not decisive: whatever they refuse, the
    // saved file is what the object holds.
    link->SetPath(fields.target.c_str());
    link->SetWorkingDirectory(fields.workingDir.c_str());
    link->SetIconLocation(fields.iconPath.c_str(), fields.iconIndex);
    link->SetShowCmd(fields.showCommand);
    link->SetArguments(fields.arguments.c_str());
    const bool saved = SUCCEEDED(object.file.Get()->Save(widePath.c_str(), TRUE));
    // The file interface goes before the link object.
    object.file.Reset();
    object.link.Reset();
    return saved;
  });
}

std::optional<ShellLinkFields> Win32Platform::LoadShellLink(const std::string& linkFile) {
  return NoThrow<std::optional<ShellLinkFields>>(std::nullopt, [&]() -> std::optional<ShellLinkFields> {
    const std::wstring widePath = Widen(linkFile);
    if (widePath.empty()) return std::nullopt;
    ComApartment apartment;
    LinkObject object = CreateLinkObject();
    if (!object.link || !object.file) return std::nullopt;
    if (FAILED(object.file.Get()->Load(widePath.c_str(), STGM_READ))) return std::nullopt;
    IShellLinkA* link = object.link.Get();
    std::string buffer(kFieldBuffer, '\0');
    auto text = [&buffer] { return std::string(buffer.c_str()); };
    ShellLinkFields fields;
    WIN32_FIND_DATAA found{};
    buffer[0] = '\0';
    if (SUCCEEDED(link->GetPath(buffer.data(), kFieldBuffer, &found, SLGP_RAWPATH))) fields.target = text();
    buffer[0] = '\0';
    if (SUCCEEDED(link->GetWorkingDirectory(buffer.data(), kFieldBuffer))) fields.workingDir = text();
    buffer[0] = '\0';
    int iconIndex = 0;
    if (SUCCEEDED(link->GetIconLocation(buffer.data(), kFieldBuffer, &iconIndex))) {
      fields.iconPath = text();
      fields.iconIndex = iconIndex;
    }
    int showCommand = 0;
    if (SUCCEEDED(link->GetShowCmd(&showCommand))) fields.showCommand = showCommand;
    // Some link objects (Wine's) write the show command but do not load it
    // back; the file's header has it either way.
    if (const auto stored = HeaderShowCommand(*this, linkFile)) fields.showCommand = *stored;
    buffer[0] = '\0';
    if (SUCCEEDED(link->GetArguments(buffer.data(), kFieldBuffer))) fields.arguments = text();
    object.file.Reset();
    object.link.Reset();
    return fields;
  });
}

}  // namespace plat
