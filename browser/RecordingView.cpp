#include "browser/RecordingView.h"

#include <algorithm>
#include <cstdio>

#include "browser/BonusDlg.h"

namespace browser {

namespace {

std::string Number(long long n) { return std::to_string(n); }

// A colour as six hex digits, blue first as in the COLORREF.
std::string Colour(Rgb color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
  return text;
}

// A control's text on one line: line breaks written as "\n".
std::string OneLine(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == '\n') {
      out += "\\n";
    } else if (c != '\r') {
      out += c;
    }
  }
  return out;
}

}  // namespace

std::string CRecordingView::Transcript() {
  std::string out;
  out.swap(m_lines);
  return out;
}

bool CRecordingView::SelectText(const std::string& text) {
  const auto it =
      std::find_if(items.begin(), items.end(), [&](const Item& item) { return item.text == text; });
  if (it == items.end()) return false;
  selected = static_cast<int>(it - items.begin());
  return true;
}

void CRecordingView::Record(const char* call, std::initializer_list<std::string> arguments) {
  if (!recording) return;
  m_lines += call;
  for (const std::string& argument : arguments) {
    m_lines += ' ';
    m_lines += argument;
  }
  m_lines += '\n';
}

void CRecordingView::SetCaption(const std::string& caption) { Record("SetCaption", {caption}); }

void CRecordingView::SetWindowIcon(plat::IconHandle icon) {
  Record("SetWindowIcon", {Number(static_cast<long long>(icon))});
}

void CRecordingView::EndDialog(int result) {
  Record("EndDialog", {Number(result)});
  ended = true;
}

void CRecordingView::SetTimer(unsigned id, unsigned periodMs) {
  Record("SetTimer", {Number(id), Number(periodMs)});
  timers.insert(id);
}

void CRecordingView::KillTimer(unsigned id) {
  Record("KillTimer", {Number(id)});
  timers.erase(id);
}

void CRecordingView::SetFocusTo(int controlId) {
  Record("SetFocusTo", {Number(controlId)});
  focusId = controlId;
}

int CRecordingView::MessageBox(const std::string& text, const std::string& caption, unsigned type) {
  const int pressed = answer ? answer(type) : plat::kIdOk;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%X", type);
  Record("MessageBox", {caption + "|" + OneLine(text) + "|" + hex, "->", Number(pressed)});
  boxes.push_back({text, caption, type, pressed});
  return pressed;
}

void CRecordingView::SetCapsuleItemHeight(std::int16_t height) {
  Record("SetCapsuleItemHeight", {Number(height)});
}

void CRecordingView::SetCapsuleTextColor(Rgb color) { Record("SetCapsuleTextColor", {Colour(color)}); }

plat::Handle CRecordingView::CreateCapsuleImageList(int cx, int cy) {
  Record("CreateCapsuleImageList", {Number(cx), Number(cy)});
  return 1;
}

void CRecordingView::AppendCapsuleIcon(plat::IconHandle icon) {
  Record("AppendCapsuleIcon", {Number(static_cast<long long>(icon))});
  icons.push_back({icon, m_dialog != nullptr ? m_dialog->m_nCapsule : -1});
}

void CRecordingView::AttachCapsuleImageList() { Record("AttachCapsuleImageList"); }

TreeItem CRecordingView::InsertCapsuleItem(const std::string& text, int image) {
  Record("InsertCapsuleItem", {Number(image), text});
  items.push_back({text, image});
  return items.size();
}

TreeItem CRecordingView::GetSelectedCapsuleItem() {
  return selected >= 0 && static_cast<std::size_t>(selected) < items.size()
             ? static_cast<TreeItem>(selected) + 1
             : 0;
}

std::optional<std::string> CRecordingView::GetSelectedCapsuleText() {
  if (selectedText) return selectedText;
  if (GetSelectedCapsuleItem() == 0) return std::nullopt;
  return items[static_cast<std::size_t>(selected)].text;
}

void CRecordingView::SetNoteText(const std::string& text) {
  Record("SetNoteText", {OneLine(text)});
  note = text;
}

void CRecordingView::SetDiskSpaceText(const std::string& text) {
  Record("SetDiskSpaceText", {OneLine(text)});
}

void CRecordingView::SetRichEditBackground(int controlId, Rgb color) {
  Record("SetRichEditBackground", {Number(controlId), Colour(color)});
}

void CRecordingView::SetTitleText(const std::string& text) { Record("SetTitleText", {OneLine(text)}); }

void CRecordingView::SetIntroText(const std::string& text) { Record("SetIntroText", {OneLine(text)}); }

void CRecordingView::SetLogoIcon(plat::IconHandle icon) {
  Record("SetLogoIcon", {Number(static_cast<long long>(icon))});
}

void CRecordingView::HidePicture() { Record("HidePicture"); }

plat::Handle CRecordingView::CreateTitleFont(const TitleFontFields& fields) {
  Record("CreateTitleFont", {Number(fields.height), Number(fields.weight), Number(fields.outPrecision),
                             Number(fields.quality), fields.faceName});
  return 1;
}

void CRecordingView::SetTitleFont(plat::Handle font) {
  Record("SetTitleFont", {Number(static_cast<long long>(font))});
}

void CRecordingView::AddDescriptionMouseEvents() { Record("AddDescriptionMouseEvents"); }

void CRecordingView::InstallDescriptionOleCallback() { Record("InstallDescriptionOleCallback"); }

void CRecordingView::StreamDescriptionRtf(const std::string& rtf) {
  Record("StreamDescriptionRtf", {OneLine(rtf)});
  ++descriptionsStreamed;
}

void CRecordingView::SetMoreInfoColors(Rgb background, Rgb text) {
  Record("SetMoreInfoColors", {Colour(background), Colour(text)});
}

void CRecordingView::SetMoreInfoTextColor(Rgb text) { Record("SetMoreInfoTextColor", {Colour(text)}); }

void CRecordingView::DeleteMoreInfoItems() {
  Record("DeleteMoreInfoItems");
  moreInfoItems.clear();
}

void CRecordingView::InsertMoreInfoItem(const std::string& text) {
  Record("InsertMoreInfoItem", {text});
  moreInfoItems.push_back(text);
}

void CRecordingView::ShowMoreInfo(bool show) {
  Record("ShowMoreInfo", {Number(show)});
  moreInfoShown = show;
}

void CRecordingView::CreateToolTip() { Record("CreateToolTip"); }

void CRecordingView::SetToolTipColors(Rgb background, Rgb text) {
  Record("SetToolTipColors", {Colour(background), Colour(text)});
}

void CRecordingView::AddCapsuleToolTip(const std::string& text) {
  Record("AddCapsuleToolTip", {OneLine(text)});
}

void CRecordingView::SetToolTipInitialDelay(unsigned ms) { Record("SetToolTipInitialDelay", {Number(ms)}); }

void CRecordingView::ActivateToolTip(bool active) { Record("ActivateToolTip", {Number(active)}); }

void CRecordingView::SetButtonText(int controlId, const std::string& text) {
  Record("SetButtonText", {Number(controlId), text});
  if (controlId == kIdInstall) installCaption = text;
  if (controlId == kIdClose) closeCaption = text;
}

void CRecordingView::EnableButton(int controlId, bool enable) {
  Record("EnableButton", {Number(controlId), Number(enable)});
  if (controlId == kIdInstall) installEnabled = enable;
}

}  // namespace browser
