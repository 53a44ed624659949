// CRecordingView: the main dialog's controls kept in memory, for running the
// dialog's logic without a window. What the dialog does to its controls is
// written down as one text line per call (Transcript), unless recording is
// switched off, and what the controls would then hold or answer is kept in
// the fields below. The checker plays a disk through it, the benchmarks
// measure the logic with it, and the tests compare its transcripts.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "browser/BonusDlgView.h"

namespace browser {

class CBonusDlg;

class CRecordingView : public IBonusDlgView {
 public:
  struct Item {
    std::string text;
    int image = 0;
  };
  struct Icon {
    plat::IconHandle handle = 0;
    int capsule = -1;  // the watched dialog's capsule when the icon was appended
  };
  struct Box {
    std::string text;
    std::string caption;
    unsigned type = 0;
    int answer = 0;
  };

  // ---- what the controls answer -----------------------------------------------
  // The selected tree item (an index into items); -1: none.
  int selected = -1;
  // When set, the text the tree reports for its selection, whatever is selected.
  std::optional<std::string> selectedText;
  int focusId = 0;
  bool shiftDown = false;
  long dialogFontHeight = -11;
  // The button a box returns, by its type; unset: OK.
  std::function<int(unsigned type)> answer;

  // ---- what the controls hold -------------------------------------------------
  bool recording = true;
  std::vector<Item> items;
  std::vector<Icon> icons;
  std::vector<Box> boxes;
  std::set<unsigned> timers;  // running
  bool ended = false;
  std::string note;
  std::optional<bool> moreInfoShown;
  std::vector<std::string> moreInfoItems;
  int descriptionsStreamed = 0;
  std::optional<std::string> installCaption, closeCaption;
  std::optional<bool> installEnabled;

  // The dialog whose m_nCapsule tells which capsule an appended icon belongs to.
  void Watch(const CBonusDlg* dialog) { m_dialog = dialog; }
  // The lines recorded since the last call, each ended by "\n"; clears them.
  std::string Transcript();
  // Selects the first item with `text`; false when there is none.
  bool SelectText(const std::string& text);

  void SetCaption(const std::string& caption) override;
  void SetWindowIcon(plat::IconHandle icon) override;
  void EndDialog(int result) override;
  void SetTimer(unsigned id, unsigned periodMs) override;
  void KillTimer(unsigned id) override;
  int GetFocusId() override { return focusId; }
  void SetFocusTo(int controlId) override;
  bool IsShiftDown() override { return shiftDown; }
  int MessageBox(const std::string& text, const std::string& caption, unsigned type) override;
  void SetCapsuleItemHeight(std::int16_t height) override;
  void SetCapsuleTextColor(Rgb color) override;
  plat::Handle CreateCapsuleImageList(int cx, int cy) override;
  void AppendCapsuleIcon(plat::IconHandle icon) override;
  void AttachCapsuleImageList() override;
  TreeItem InsertCapsuleItem(const std::string& text, int image) override;
  TreeItem GetSelectedCapsuleItem() override;
  std::optional<std::string> GetSelectedCapsuleText() override;
  void SetNoteText(const std::string& text) override;
  void SetDiskSpaceText(const std::string& text) override;
  void SetRichEditBackground(int controlId, Rgb color) override;
  void SetTitleText(const std::string& text) override;
  void SetIntroText(const std::string& text) override;
  void SetLogoIcon(plat::IconHandle icon) override;
  void HidePicture() override;
  long GetDialogFontHeight() override { return dialogFontHeight; }
  plat::Handle CreateTitleFont(const TitleFontFields& fields) override;
  void SetTitleFont(plat::Handle font) override;
  void AddDescriptionMouseEvents() override;
  void InstallDescriptionOleCallback() override;
  void StreamDescriptionRtf(const std::string& rtf) override;
  void SetMoreInfoColors(Rgb background, Rgb text) override;
  void SetMoreInfoTextColor(Rgb text) override;
  void DeleteMoreInfoItems() override;
  void InsertMoreInfoItem(const std::string& text) override;
  void ShowMoreInfo(bool show) override;
  void CreateToolTip() override;
  void SetToolTipColors(Rgb background, Rgb text) override;
  void AddCapsuleToolTip(const std::string& text) override;
  void SetToolTipInitialDelay(unsigned ms) override;
  void ActivateToolTip(bool active) override;
  void SetButtonText(int controlId, const std::string& text) override;
  void EnableButton(int controlId, bool enable) override;

 private:
  // Records `call` followed by its arguments, each after one blank.
  void Record(const char* call, std::initializer_list<std::string> arguments = {});

  const CBonusDlg* m_dialog = nullptr;
  std::string m_lines;
};

}  // namespace browser
