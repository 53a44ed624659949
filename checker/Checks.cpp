#include "checker/Checks.h"

#include "checker/CheckContext.h"
#include "checker/Text.h"

namespace checker {

namespace {

struct Mark {
  const char* bytes;
  const char* what;
};

// Longest first, so that a UTF-8 sequence is not taken for its first byte.
constexpr Mark kInvisibleMarks[] = {
    {"\xEF\xBB\xBF", "a UTF-8 byte-order mark"},
    {"\xE2\x80\x8B", "a zero-width space"},
    {"\xE2\x80\x8C", "a zero-width non-joiner"},
    {"\xE2\x80\x8D", "a zero-width joiner"},
    {"\xE2\x80\x83", "an em space"},
    {"\xE2\x80\x82", "an en space"},
    {"\xC2\xA0", "a UTF-8 no-break space"},
    {"\xFF\xFE", "a UTF-16 byte-order mark"},
    {"\xFE\xFF", "a UTF-16 byte-order mark"},
    {"\xA0", "a no-break space"},
};

// One invisible mark at position `at` of `text` (from the end when
// `backwards`), or nothing.
const Mark* MarkAt(const std::string& text, std::size_t at, bool backwards) {
  for (const Mark& mark : kInvisibleMarks) {
    const std::string m = mark.bytes;
    if (backwards) {
      if (at >= m.size() && text.compare(at - m.size(), m.size(), m) == 0) return &mark;
    } else if (text.compare(at, m.size(), m) == 0) {
      return &mark;
    }
  }
  return nullptr;
}

bool IsControl(char c) {
  const auto b = static_cast<unsigned char>(c);
  return (b < 0x20 && c != '\t') || b == 0x7F;
}

}  // namespace

Invisible LeadingInvisible(const std::string& text) {
  Invisible out;
  while (out.length < text.size()) {
    if (const Mark* mark = MarkAt(text, out.length, false)) {
      if (out.what.empty()) out.what = mark->what;
      out.length += std::string(mark->bytes).size();
    } else if (IsControl(text[out.length]) || text[out.length] == ' ') {
      if (out.what.empty() && text[out.length] != ' ') out.what = "a control character";
      ++out.length;
    } else {
      break;
    }
  }
  if (out.what.empty()) out.length = 0;
  return out;
}

Invisible TrailingInvisible(const std::string& text) {
  Invisible out;
  std::size_t end = text.size();
  while (end > 0) {
    if (const Mark* mark = MarkAt(text, end, true)) {
      if (out.what.empty()) out.what = mark->what;
      end -= std::string(mark->bytes).size();
    } else if (IsControl(text[end - 1]) || text[end - 1] == ' ') {
      if (out.what.empty() && text[end - 1] != ' ') out.what = "a control character";
      --end;
    } else {
      break;
    }
  }
  out.length = out.what.empty() ? 0 : text.size() - end;
  return out;
}

CheckContext::CheckContext(Simulation& simulation, Report& findings)
    : sim(simulation),
      report(findings),
      log(simulation.Log()),
      config(simulation.AfterSetUp()),
      platform(simulation.Platform()) {}

std::string CheckContext::Label(int k) const {
  const std::string title = Title(k);
  if (!title.empty()) return Q(title);
  return "capsule " + std::to_string(k) + " (" + Q(Rel(Folder(k))) + ")";
}

const CString& CheckContext::Value(const KeyInfo& key, int k) const {
  return key.DialogWide() ? config.*key.scalar : CBonusConfig::At(config.*key.list, k);
}

Place CheckContext::EntryLoc(int k) const {
  if (k >= 0 && static_cast<std::size_t>(k) < log.entries.size())
    return At(log.entries[static_cast<std::size_t>(k)]);
  return {config.m_sConfigPath, 0};
}

Place CheckContext::KeyLoc(std::string_view key, int k) const {
  const KeyInfo* info = FindKey(key);
  const bool dialogWide = info != nullptr && info->DialogWide();
  if (auto ref = log.Origin(std::string(key), dialogWide ? -1 : k)) return At(*ref);
  if (dialogWide) return {config.m_sConfigPath, 0};
  return {CapsuleFile(k), 1};
}

void CheckContext::Error(Rule rule, const Place& at, std::string message, std::string hint,
                         std::vector<Note> notes) {
  report.Error(rule, at.first, at.second, std::move(message), std::move(hint), std::move(notes));
}

void CheckContext::Warning(Rule rule, const Place& at, std::string message, std::string hint,
                           std::vector<Note> notes) {
  report.Warning(rule, at.first, at.second, std::move(message), std::move(hint), std::move(notes));
}

void RunChecks(Simulation& sim, Report& report, const std::vector<std::string>& tree) {
  CheckContext ctx(sim, report);
  CheckFiles(ctx);
  CheckLines(ctx);
  CheckHeaders(ctx);
  CheckKeyPlacement(ctx);
  CheckCapsules(ctx);
  CheckDiskNames(ctx, tree);
  CheckDialogValues(ctx);
  CheckFirstTimeRuns(ctx);
}

}  // namespace checker
