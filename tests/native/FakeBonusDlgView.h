// A recording stand-in for the main dialog's controls, and a machine with a
// product disk for the dialog's tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "browser/BonusDlg.h"
#include "browser/BonusDlgView.h"
#include "config/BonusConfig.h"
#include "platform/fake/FakePlatform.h"

namespace bonus::testing {

class FakeBonusDlgView : public IBonusDlgView {
 public:
  struct Item {
    std::string text;
    int image;
    TreeItem handle;
  };

  // Every call in order, by name (with its main argument where useful).
  std::vector<std::string> log;

  std::optional<std::string> caption, title, intro;  // unset until the dialog sets them
  plat::IconHandle windowIcon = 0;
  std::vector<int> endResults;
  std::set<unsigned> timers;
  std::vector<std::pair<unsigned, unsigned>> timersStarted;
  std::vector<unsigned> timersKilled;
  int focusId = 0;
  std::vector<int> focusMoves;
  bool shiftDown = false;
  struct Box {
    std::string text, caption;
    unsigned type;
  };
  std::vector<Box> boxes;
  std::deque<int> boxAnswers;

  std::optional<std::int16_t> itemHeight;
  std::optional<Rgb> capsuleTextColor;
  int imageListCx = 0, imageListCy = 0;
  std::vector<plat::IconHandle> icons;
  bool imageListAttached = false;
  std::vector<Item> items;
  int selected = -1;  // index into items, -1 none
  // When set, the selected item's text as the tree reports it (an item
  // renamed by other means).
  std::optional<std::string> selectedTextOverride;

  std::string note;
  std::vector<std::string> notes;
  std::string diskSpace;
  std::map<int, Rgb> backgrounds;
  plat::IconHandle logo = 0;
  int pictureHides = 0;
  long dialogFontHeight = -11;
  std::optional<TitleFontFields> titleFont;
  int titleFontsCreated = 0;
  plat::Handle titleFontSet = 0;
  bool mouseEvents = false;
  std::vector<std::string> rtfStreamed;

  std::optional<std::pair<Rgb, Rgb>> moreInfoColors;
  std::optional<Rgb> moreInfoTextColor;
  std::vector<std::string> moreInfoItems;
  std::optional<bool> moreInfoShown;

  bool toolTipCreated = false;
  std::optional<std::pair<Rgb, Rgb>> tipColors;
  std::vector<std::string> tools;
  unsigned tipDelay = 0;
  std::optional<bool> tipActive;

  std::map<int, std::string> buttonText;
  std::map<int, bool> buttonEnabled;

  // Selects item `index` (the tree's own state; the caller then sends the
  // selection notification).
  void Select(int index) { selected = index; }
  int SelectByText(const std::string& text) {
    const int i = SelectByTextConst(text);
    if (i >= 0) selected = i;
    return i;
  }
  int SelectByTextConst(const std::string& text) const {
    const auto it = std::find_if(items.begin(), items.end(), [&](const Item& i) { return i.text == text; });
    return it == items.end() ? -1 : static_cast<int>(it - items.begin());
  }
  std::vector<std::string> ItemTexts() const {
    std::vector<std::string> out;
    for (const Item& i : items) out.push_back(i.text);
    return out;
  }

  // ---- IBonusDlgView ---------------------------------------------------------
  void SetCaption(const std::string& text) override {
    log.push_back("SetCaption:" + text);
    caption = text;
  }
  void SetWindowIcon(plat::IconHandle icon) override { windowIcon = icon; }
  void EndDialog(int result) override { endResults.push_back(result); }
  void SetTimer(unsigned id, unsigned periodMs) override {
    log.push_back("SetTimer:" + std::to_string(id));
    timers.insert(id);
    timersStarted.emplace_back(id, periodMs);
  }
  void KillTimer(unsigned id) override {
    timers.erase(id);
    timersKilled.push_back(id);
  }
  int GetFocusId() override { return focusId; }
  void SetFocusTo(int controlId) override {
    focusMoves.push_back(controlId);
    focusId = controlId;
  }
  bool IsShiftDown() override { return shiftDown; }
  int MessageBox(const std::string& text, const std::string& boxCaption, unsigned type) override {
    boxes.push_back({text, boxCaption, type});
    if (boxAnswers.empty()) return plat::kIdOk;
    const int a = boxAnswers.front();
    boxAnswers.pop_front();
    return a;
  }
  void SetCapsuleItemHeight(std::int16_t height) override { itemHeight = height; }
  void SetCapsuleTextColor(Rgb color) override { capsuleTextColor = color; }
  plat::Handle CreateCapsuleImageList(int cx, int cy) override {
    imageListCx = cx;
    imageListCy = cy;
    return 0x5000;
  }
  void AppendCapsuleIcon(plat::IconHandle icon) override { icons.push_back(icon); }
  void AttachCapsuleImageList() override {
    log.push_back("AttachCapsuleImageList");
    imageListAttached = true;
  }
  TreeItem InsertCapsuleItem(const std::string& text, int image) override {
    log.push_back("InsertCapsuleItem:" + text);
    TreeItem h = 0x7000 + items.size();
    items.push_back({text, image, h});
    return h;
  }
  TreeItem GetSelectedCapsuleItem() override {
    return selected >= 0 ? items[static_cast<std::size_t>(selected)].handle : 0;
  }
  std::optional<std::string> GetSelectedCapsuleText() override {
    if (selected < 0) return std::nullopt;
    if (selectedTextOverride) return selectedTextOverride;
    return items[static_cast<std::size_t>(selected)].text;
  }
  void SetNoteText(const std::string& text) override {
    note = text;
    notes.push_back(text);
  }
  void SetDiskSpaceText(const std::string& text) override {
    log.push_back("SetDiskSpaceText");
    diskSpace = text;
  }
  void SetRichEditBackground(int controlId, Rgb color) override { backgrounds[controlId] = color; }
  void SetTitleText(const std::string& text) override { title = text; }
  void SetIntroText(const std::string& text) override { intro = text; }
  void SetLogoIcon(plat::IconHandle icon) override { logo = icon; }
  void HidePicture() override { ++pictureHides; }
  long GetDialogFontHeight() override { return dialogFontHeight; }
  plat::Handle CreateTitleFont(const TitleFontFields& fields) override {
    titleFont = fields;
    ++titleFontsCreated;
    return 0x6000;
  }
  void SetTitleFont(plat::Handle font) override { titleFontSet = font; }
  void AddDescriptionMouseEvents() override { mouseEvents = true; }
  void InstallDescriptionOleCallback() override { log.push_back("InstallDescriptionOleCallback"); }
  void StreamDescriptionRtf(const std::string& rtf) override {
    log.push_back("StreamDescriptionRtf");
    rtfStreamed.push_back(rtf);
  }
  void SetMoreInfoColors(Rgb background, Rgb text) override { moreInfoColors = {background, text}; }
  void SetMoreInfoTextColor(Rgb text) override { moreInfoTextColor = text; }
  void DeleteMoreInfoItems() override { moreInfoItems.clear(); }
  void InsertMoreInfoItem(const std::string& text) override { moreInfoItems.push_back(text); }
  void ShowMoreInfo(bool show) override { moreInfoShown = show; }
  void CreateToolTip() override { toolTipCreated = true; }
  void SetToolTipColors(Rgb background, Rgb text) override { tipColors = {background, text}; }
  void AddCapsuleToolTip(const std::string& text) override { tools.push_back(text); }
  void SetToolTipInitialDelay(unsigned ms) override { tipDelay = ms; }
  void ActivateToolTip(bool active) override { tipActive = active; }
  void SetButtonText(int controlId, const std::string& text) override { buttonText[controlId] = text; }
  void EnableButton(int controlId, bool enable) override { buttonEnabled[controlId] = enable; }
};

// Recorded boxes as "caption|text|type" lines (type in hex, and "|owner N"
// for an owner other than none), to compare whole outcomes at once.
template <class Box>
std::string Boxes(const std::vector<Box>& boxes) {
  std::string out;
  char type[16];
  for (const Box& b : boxes) {
    std::snprintf(type, sizeof type, "0x%X", b.type);
    out += b.caption + "|" + b.text + "|" + type;
    if constexpr (requires { b.owner; })
      if (b.owner != 0) out += "|owner " + std::to_string(b.owner);
    out += "\n";
  }
  return out;
}

// Recorded shell calls as "verb file [parameters] in currentDir" lines; a
// directory argument and a show state other than 1 are added.
inline std::string ShellCalls(const plat::FakePlatform& fake) {
  std::string out;
  for (const auto& c : fake.shellCalls) {
    out += c.verb + " " + c.file + " [" + c.parameters + "] in " + c.currentDir;
    if (!c.directory.empty()) out += " dir " + c.directory;
    if (c.show != 1) out += " show " + std::to_string(c.show);
    out += "\n";
  }
  return out;
}

// A machine with the program in C:\Program Files\Velmora and the product
// disk D: (SourceDir "D:", data folder D:\access).
struct DiskMachine {
  plat::FakePlatform fake;
  static constexpr const char* kMainFile = "D:\\access\\VERavevi.cfg";
  static constexpr const char* kLink = "C:\\WINDOWS\\Start Menu\\Programs\\StartUp\\VERavevi.lnk";

  DiskMachine() {
    fake.SetRegString(plat::RegRoot::LocalMachine, kProductKey, kSourceDirValue, "D:");
    fake.AddFolder("C:\\Program Files\\Velmora");
    fake.AddFolder("D:\\access");
    fake.AddFolder("C:\\WINDOWS\\Start Menu\\Programs\\StartUp");
    fake.drives.push_back({"D:\\", plat::kDriveCdRom, true, 700ull << 20, 0});
  }
  void Main(const std::string& content) { fake.AddFile(kMainFile, content); }
  // A capsule file for [Packages] entry `entry`.
  void Capsule(const std::string& entry, const std::string& content) {
    fake.AddFile(Folder(entry) + "\\" + CBonusConfig::GetLastPathPart(Folder(entry)) + ".cfg", content);
  }
  // A further file of the capsule, named after its folder, with `ext`.
  void CapsuleFile(const std::string& entry, const std::string& ext, const std::string& content = "x") {
    fake.AddFile(Folder(entry) + "\\" + CBonusConfig::GetLastPathPart(Folder(entry)) + ext, content);
  }
  static std::string Folder(const std::string& entry) { return "D:\\access\\" + entry; }
};

// The main dialog on a DiskMachine: Open() runs its set-up, Pick() selects a
// capsule by its tree text.
class DialogTest : public ::testing::Test {
 protected:
  DiskMachine m;
  FakeBonusDlgView view;
  std::unique_ptr<CBonusDlg> dlg;

  // One capsule "A" titled "Alpha" with `lines` after its title; `tuneUp`
  // lines go into the main file's [TuneUp].
  void OneCapsule(const std::string& lines, const std::string& tuneUp = {}) {
    m.Main("[TuneUp]\n" + tuneUp + "[Packages]\nA\n");
    m.Capsule("A", "[TuneUp]\nTitle=Alpha\n" + lines);
  }
  // A fresh machine and view, for table rows.
  void Reset() {
    dlg.reset();
    m = DiskMachine();
    view = FakeBonusDlgView();
  }
  void Open() {
    dlg = std::make_unique<CBonusDlg>(m.fake, view);
    ASSERT_TRUE(dlg->OnInitDialog());
  }
  void Pick(const std::string& text) {
    ASSERT_GE(view.SelectByText(text), 0) << text;
    dlg->OnSelChangedCapsule();
  }
};

}  // namespace bonus::testing
