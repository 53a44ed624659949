// Everything the reader told its line observer while the main dialog set
// itself up: each file read, each of its lines as the reader took it, and
// which line last set each key of each capsule.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "browser/BonusDlg.h"
#include "config/ConfigLineObserver.h"

namespace checker {

struct LoggedLine {
  std::size_t read = 0;  // index into LineLog::reads
  std::size_t number = 0;
  std::string raw;
  std::string text;
  ConfigLineEvent::Kind kind = ConfigLineEvent::Kind::Skipped;
  std::string section;
  std::string key;
  std::string value;
  // The last header line of this file above the line ("" above the first).
  std::string header;
};

struct FileRead {
  std::string path;  // as the program named it
  bool main = false;
  int capsule = 0;            // the index per-capsule keys were stored at
  std::size_t firstLine = 0;  // index into LineLog::lines
  std::size_t lineCount = 0;
};

// Where in the log a value came from.
using LineRef = std::size_t;

class LineLog final : public IConfigLineObserver {
 public:
  // `dialog` tells which capsule is being read (its m_nCapsule) once the
  // capsule files are being read (its m_nLastCapsule is set); every read
  // before that is of the main file.
  explicit LineLog(const browser::CBonusDlg& dialog) : m_dialog(dialog) {}

  void OnConfigLine(const ConfigLineEvent& event) override;

  std::vector<FileRead> reads;
  std::vector<LoggedLine> lines;
  // The [Packages] entries, in the order they were appended to the store.
  std::vector<LineRef> entries;
  // Every line that set a key: by key name and capsule (-1 for a dialog-wide
  // key), in reading order.
  std::map<std::pair<std::string, int>, std::vector<LineRef>> keyLines;

  // The line that set the key's current value; nothing when no line did.
  std::optional<LineRef> Origin(const std::string& key, int capsule) const;
  const FileRead& ReadOf(LineRef line) const { return reads[lines[line].read]; }

 private:
  const browser::CBonusDlg& m_dialog;
  std::string m_lastFile;
  std::size_t m_lastNumber = 0;
};

}  // namespace checker
