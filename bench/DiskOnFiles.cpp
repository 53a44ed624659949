#include "bench/DiskOnFiles.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace bench {

DiskOnFiles::DiskOnFiles(std::string root) : root_(std::move(root)) {
  SetRegString(plat::RegRoot::LocalMachine, "SOFTWARE\\Velmora Network\\5.0", "SourceDir", "D:");
  AddFolder("C:\\Program Files\\Velmora");
  AddFolder("C:\\WINDOWS\\Start Menu\\Programs\\StartUp");
  drives.push_back({"D:\\", plat::kDriveCdRom, true, 700ull << 20, 0});
}

std::string DiskOnFiles::Local(const std::string& path) const {
  if (path.size() < 2 || (path[0] != 'D' && path[0] != 'd') || path[1] != ':') return {};
  // The program's own platform hands the path to the system as it is; the
  // translation here is the harness's, so it must cost next to nothing.
  std::string out;
  out.reserve(root_.size() + path.size());
  out.append(root_).append(path, 2, std::string::npos);
  for (std::size_t i = root_.size(); i < out.size(); ++i)
    if (out[i] == '\\') out[i] = '/';
  return out;
}

std::optional<plat::FileAttributes> DiskOnFiles::GetFileAttributes(const std::string& path) {
  std::string local = Local(path);
  if (local.empty()) return FakePlatform::GetFileAttributes(path);
  struct stat st {};
  if (::stat(local.c_str(), &st) != 0) return std::nullopt;
  return plat::FileAttributes{S_ISDIR(st.st_mode)};
}

bool DiskOnFiles::ReadFileBytes(const std::string& path, std::string& bytes) {
  std::string local = Local(path);
  if (local.empty()) return FakePlatform::ReadFileBytes(path, bytes);
  return ReadWholeFile(local, bytes);
}

bool DiskOnFiles::PlaySound(const std::string&, std::uint32_t) { return true; }

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  bytes.clear();
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  struct stat st {};
  if (::fstat(::fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
    std::fclose(f);
    return false;
  }
  bytes.resize(static_cast<std::size_t>(st.st_size));
  std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), f);
  bytes.resize(got);
  std::fclose(f);
  return true;
}

namespace {

std::size_t WriteText(const std::filesystem::path& p, const std::string& text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
  return text.size();
}

std::string CapsuleText(int i) {
  std::string n = std::to_string(i);
  std::string t;
  auto line = [&t](const std::string& s) { t += s + "\r\n"; };
  line("; Capsule " + n + ": a bonus program of the product disk, with its texts,");
  line("; its installer and the checks that decide whether it is installed.");
  line("[TuneUp]");
  line("Title=Bonus Program " + n + " Deluxe Edition");
  line("Note=Version 2." + n + " - installs in about two minutes and needs 12 MB of disk space.");
  line("Disclaimer=This program is provided by a third party under its own licence terms.");
  line("Tip=Click Install to set up Bonus Program " + n + " on this computer");
  line("Run={SRC_DIR}\\Cap" + n + "\\Setup.exe /s /lang=en");
  line("MoreInfoTitle=Read the release notes of Bonus Program " + n);
  line("MoreInfoRun={INSTALL_DIR}\\Bonus\\Cap" + n + "\\ReadMe.txt");
  line("Button1=Install");
  line("Button2=Close");
  line("Button1Disabled=Installed");
  line("Token1=HKEY_LOCAL_MACHINE\\SOFTWARE\\Bonus Vendor\\Program " + n);
  line("Token2=InstallPath");
  line("Token3=[Registry1]");
  line("Token4=C:\\Program Files\\Bonus Vendor\\Program " + n);
  line("Token5=en-US");
  line("Token6=");
  line("Token7=Standard");
  line("Token8=1024");
  line("Token9=yes");
  line("Token10=last");
  line("Description=Cap" + n + ".rtf");
  line("");
  line("[Version]");
  line("Version=2." + n + ".0.1");
  line("Registry=HKEY_LOCAL_MACHINE\\SOFTWARE\\Bonus Vendor\\Program " + n + "\\Version");
  line("File={TOKEN4}\\Program" + n + ".exe");
  line("FileExcluded={WIN_DIR}\\Program" + n + ".old");
  line("PromptType=1");
  line("AskMsg=Bonus Program " + n + " is already installed. Install it again?");
  line("");
  line("[Registry1]");
  line("Key=HKEY_LOCAL_MACHINE\\SOFTWARE\\Bonus Vendor\\Program " + n);
  line("Value=InstallPath");
  line("");
  line("; Installer switches by language; the installer reads these itself.");
  line("[Languages]");
  line("en=/lang=en");
  line("de=/lang=de");
  return t;
}

}  // namespace

std::size_t WriteDisk(const std::string& root, int capsules) {
  namespace fs = std::filesystem;
  fs::path access = fs::path(root) / "access";
  fs::create_directories(access);
  std::string main =
      "; Main configuration of the product disk.\r\n[TuneUp]\r\nWindowTitle=Velmora Bonus Software\r\n"
      "WelcomeTitle=Velmora 5.0 Bonus Software\r\nWelcomeText=The software listed below will help you "
      "get the most out of Velmora 5.0.\r\nMessage=Point at a package to read its note here.\r\n"
      "Height=32\r\nDistance=36\r\n\r\n[Packages]\r\n";
  for (int i = 0; i < capsules; ++i) main += "Cap" + std::to_string(i) + "\r\n";
  std::size_t total = WriteText(access / "VERavevi.cfg", main);
  for (int i = 0; i < capsules; ++i) {
    std::string n = "Cap" + std::to_string(i);
    fs::create_directories(access / n);
    total += WriteText(access / n / (n + ".cfg"), CapsuleText(i));
    WriteText(access / n / (n + ".rtf"), "{\\rtf1\\ansi Bonus program " + std::to_string(i) + ".\\par}");
  }
  return total;
}

std::size_t ResidentBytes() {
  std::FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return 0;
  unsigned long size = 0, resident = 0;
  int n = std::fscanf(f, "%lu %lu", &size, &resident);
  std::fclose(f);
  return n == 2 ? resident * static_cast<std::size_t>(::sysconf(_SC_PAGESIZE)) : 0;
}

long MinorFaults() {
  struct rusage usage {};
  return ::getrusage(RUSAGE_SELF, &usage) == 0 ? usage.ru_minflt : 0;
}

}  // namespace bench

namespace bench {
std::filesystem::path ScratchFolder() {
  if (const char* dir = std::getenv("VELMORA_BENCH_DIR")) return dir;
  std::error_code ec;
  if (std::filesystem::is_directory("/dev/shm", ec)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}
}  // namespace bench
