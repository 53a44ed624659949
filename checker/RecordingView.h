// The main dialog's controls as the checker plays them: nothing is shown;
// what the dialog's logic puts into its controls is kept for the checks.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "browser/BonusDlg.h"
#include "browser/BonusDlgView.h"
#include "checker/CheckerPlatform.h"

namespace check {

class RecordingView final : public bonus::IBonusDlgView {
 public:
  struct Item {
    std::string text;
    int image = 0;
  };
  struct Icon {
    plat::IconHandle handle = 0;
    int capsule = -1;  // the capsule being loaded when the icon was appended
  };
  struct Box {
    std::string text;
    std::string caption;
    unsigned type = 0;
    int answer = 0;
  };

  // The dialog whose m_nCapsule tells which capsule an icon belongs to.
  void Watch(const bonus::CBonusDlg* dialog) { m_dialog = dialog; }

  // ---- what the logic did ---------------------------------------------------
  std::vector<Item> items;
  std::vector<Icon> icons;
  std::vector<Box> boxes;  // the dialog's own boxes (AskMsg, nothing selected, diagnostics)
  bool ended = false;
  std::optional<std::string> caption;
  std::optional<int> imageSize;
  std::optional<std::int16_t> itemHeight;
  std::string title, intro, note;
  std::vector<unsigned> timers;
  int descriptionsStreamed = 0;
  std::optional<bool> moreInfoShown;
  std::vector<std::string> moreInfoItems;
  std::string toolTip;
  std::string installCaption, closeCaption;
  std::optional<bool> installEnabled;

  // ---- what the controls answer -----------------------------------------------
  std::optional<std::string> selectedText;
  int focusId = bonus::kIdCapsuleList;

  // Clears what the handlers of one selection or install leave behind.
  void ClearSelectionRecord();

  void SetCaption(const std::string& text) override { caption = text; }
  void SetWindowIcon(plat::IconHandle) override {}
  void EndDialog(int) override { ended = true; }
  void SetTimer(unsigned id, unsigned) override { timers.push_back(id); }
  void KillTimer(unsigned) override {}
  int GetFocusId() override { return focusId; }
  void SetFocusTo(int id) override { focusId = id; }
  bool IsShiftDown() override { return false; }
  int MessageBox(const std::string& text, const std::string& boxCaption, unsigned type) override;

  void SetCapsuleItemHeight(std::int16_t height) override { itemHeight = height; }
  void SetCapsuleTextColor(bonus::Rgb) override {}
  plat::Handle CreateCapsuleImageList(int cx, int) override {
    imageSize = cx;
    return 1;
  }
  void AppendCapsuleIcon(plat::IconHandle icon) override;
  void AttachCapsuleImageList() override {}
  bonus::TreeItem InsertCapsuleItem(const std::string& text, int image) override;
  bonus::TreeItem GetSelectedCapsuleItem() override { return selectedText ? 1 : 0; }
  std::optional<std::string> GetSelectedCapsuleText() override { return selectedText; }

  void SetNoteText(const std::string& text) override { note = text; }
  void SetDiskSpaceText(const std::string&) override {}
  void SetRichEditBackground(int, bonus::Rgb) override {}
  void SetTitleText(const std::string& text) override { title = text; }
  void SetIntroText(const std::string& text) override { intro = text; }
  void SetLogoIcon(plat::IconHandle) override {}
  void HidePicture() override {}
  long GetDialogFontHeight() override { return -11; }
  plat::Handle CreateTitleFont(const bonus::TitleFontFields&) override { return 1; }
  void SetTitleFont(plat::Handle) override {}

  void AddDescriptionMouseEvents() override {}
  void InstallDescriptionOleCallback() override {}
  void StreamDescriptionRtf(const std::string&) override { ++descriptionsStreamed; }

  void SetMoreInfoColors(bonus::Rgb, bonus::Rgb) override {}
  void SetMoreInfoTextColor(bonus::Rgb) override {}
  void DeleteMoreInfoItems() override { moreInfoItems.clear(); }
  void InsertMoreInfoItem(const std::string& text) override { moreInfoItems.push_back(text); }
  void ShowMoreInfo(bool show) override { moreInfoShown = show; }

  void CreateToolTip() override {}
  void SetToolTipColors(bonus::Rgb, bonus::Rgb) override {}
  void AddCapsuleToolTip(const std::string& text) override { toolTip = text; }
  void SetToolTipInitialDelay(unsigned) override {}
  void ActivateToolTip(bool) override {}

  void SetButtonText(int controlId, const std::string& text) override;
  void EnableButton(int controlId, bool enable) override;

 private:
  const bonus::CBonusDlg* m_dialog = nullptr;
};

}  // namespace check
