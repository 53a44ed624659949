#include "checker/LineLog.h"

#include "checker/Keys.h"

namespace checker {

void LineLog::OnConfigLine(const ConfigLineEvent& event) {
  const bool newRead = reads.empty() || event.file != m_lastFile || event.number <= m_lastNumber;
  if (newRead) {
    FileRead read;
    read.path = std::string(event.file);
    read.main = m_dialog.m_nLastCapsule < 0;
    read.capsule = read.main ? 0 : m_dialog.m_nCapsule;
    read.firstLine = lines.size();
    reads.push_back(read);
  }
  m_lastFile = std::string(event.file);
  m_lastNumber = event.number;

  FileRead& read = reads.back();
  LoggedLine line;
  line.read = reads.size() - 1;
  line.number = event.number;
  line.raw = std::string(event.raw);
  line.text = std::string(event.text);
  line.kind = event.kind;
  line.section = std::string(event.section);
  line.key = std::string(event.key);
  line.value = std::string(event.value);
  if (read.lineCount > 0) {
    const LoggedLine& previous = lines.back();
    line.header = previous.header;
    if (previous.kind == ConfigLineEvent::Kind::KnownHeader ||
        previous.kind == ConfigLineEvent::Kind::OtherHeader)
      line.header = previous.text;
  }
  const LineRef ref = lines.size();
  lines.push_back(std::move(line));
  ++read.lineCount;

  const LoggedLine& stored = lines.back();
  if (stored.kind == ConfigLineEvent::Kind::Entry) entries.push_back(ref);
  if (stored.kind == ConfigLineEvent::Kind::Key) {
    const KeyInfo* key = FindKey(stored.key);
    const int capsule = key != nullptr && key->DialogWide() ? -1 : read.capsule;
    keyLines[{stored.key, capsule}].push_back(ref);
  }
}

std::optional<LineRef> LineLog::Origin(const std::string& key, int capsule) const {
  auto it = keyLines.find({key, capsule});
  if (it == keyLines.end() || it->second.empty()) return std::nullopt;
  return it->second.back();
}

}  // namespace checker
