// A main dialog view that keeps only the tree and forgets everything else
// it is told, so that long runs measure the dialog's logic alone.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "browser/BonusDlgView.h"

namespace bench {

class TreeOnlyView : public bonus::IBonusDlgView {
 public:
  std::vector<std::string> items;
  int selected = -1;

  void SetCaption(const std::string&) override {}
  void SetWindowIcon(plat::IconHandle) override {}
  void EndDialog(int) override {}
  void SetTimer(unsigned, unsigned) override {}
  void KillTimer(unsigned) override {}
  int GetFocusId() override { return 0; }
  void SetFocusTo(int) override {}
  bool IsShiftDown() override { return false; }
  int MessageBox(const std::string&, const std::string&, unsigned) override { return 1; }
  void SetCapsuleItemHeight(std::int16_t) override {}
  void SetCapsuleTextColor(bonus::Rgb) override {}
  plat::Handle CreateCapsuleImageList(int, int) override { return 1; }
  void AppendCapsuleIcon(plat::IconHandle) override {}
  void AttachCapsuleImageList() override {}
  bonus::TreeItem InsertCapsuleItem(const std::string& text, int) override {
    items.push_back(text);
    return items.size();
  }
  bonus::TreeItem GetSelectedCapsuleItem() override { return selected < 0 ? 0 : selected + 1; }
  std::optional<std::string> GetSelectedCapsuleText() override {
    if (selected < 0) return std::nullopt;
    return items[static_cast<std::size_t>(selected)];
  }
  void SetNoteText(const std::string&) override {}
  void SetDiskSpaceText(const std::string&) override {}
  void SetRichEditBackground(int, bonus::Rgb) override {}
  void SetTitleText(const std::string&) override {}
  void SetIntroText(const std::string&) override {}
  void SetLogoIcon(plat::IconHandle) override {}
  void HidePicture() override {}
  long GetDialogFontHeight() override { return -11; }
  plat::Handle CreateTitleFont(const bonus::TitleFontFields&) override { return 1; }
  void SetTitleFont(plat::Handle) override {}
  void AddDescriptionMouseEvents() override {}
  void InstallDescriptionOleCallback() override {}
  void StreamDescriptionRtf(const std::string&) override {}
  void SetMoreInfoColors(bonus::Rgb, bonus::Rgb) override {}
  void SetMoreInfoTextColor(bonus::Rgb) override {}
  void DeleteMoreInfoItems() override {}
  void InsertMoreInfoItem(const std::string&) override {}
  void ShowMoreInfo(bool) override {}
  void CreateToolTip() override {}
  void SetToolTipColors(bonus::Rgb, bonus::Rgb) override {}
  void AddCapsuleToolTip(const std::string&) override {}
  void SetToolTipInitialDelay(unsigned) override {}
  void ActivateToolTip(bool) override {}
  void SetButtonText(int, const std::string&) override {}
  void EnableButton(int, bool) override {}
};

}  // namespace bench
