#include "checker/RecordingView.h"

namespace check {

void RecordingView::ClearSelectionRecord() {
  boxes.clear();
  timers.clear();
  descriptionsStreamed = 0;
  moreInfoShown.reset();
  moreInfoItems.clear();
  toolTip.clear();
  installCaption.clear();
  closeCaption.clear();
  installEnabled.reset();
  note.clear();
}

int RecordingView::MessageBox(const std::string& text, const std::string& boxCaption, unsigned type) {
  boxes.push_back({text, boxCaption, type, AnswerFor(type)});
  return boxes.back().answer;
}

void RecordingView::AppendCapsuleIcon(plat::IconHandle icon) {
  icons.push_back({icon, m_dialog != nullptr ? m_dialog->m_nCapsule : -1});
}

bonus::TreeItem RecordingView::InsertCapsuleItem(const std::string& text, int image) {
  items.push_back({text, image});
  return items.size();
}

void RecordingView::SetButtonText(int controlId, const std::string& text) {
  if (controlId == bonus::kIdInstall) installCaption = text;
  if (controlId == bonus::kIdClose) closeCaption = text;
}

void RecordingView::EnableButton(int controlId, bool enable) {
  if (controlId == bonus::kIdInstall) installEnabled = enable;
}

}  // namespace check
