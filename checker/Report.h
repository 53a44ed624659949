// The checker's findings, and the one place that writes them: compiler style
// ("file:line: error: message", each followed by its notes), as a JSON list,
// or as a SARIF 2.1.0 log.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "checker/Rules.h"

namespace checker {

enum class Severity { Error, Warning };

// A place that belongs to a finding: the other end of a trap whose cause
// and symptom lie apart.
struct Note {
  std::string file;
  std::size_t line = 0;
  std::string message;
};

struct Finding {
  Rule rule = Rule::KeyUnknown;
  std::string file;      // as the program names it; "" for the disk as a whole
  std::size_t line = 0;  // 0: the file as a whole
  Severity severity = Severity::Warning;
  std::string message;
  std::string hint;  // what to do, at the finding's own place
  std::vector<Note> notes;
};

enum class Format { Text, Json, Sarif };

class Report {
 public:
  // Keeps the first of findings at the same file and line with the same message.
  void Add(Finding finding);
  void Error(Rule rule, const std::string& file, std::size_t line, std::string message, std::string hint = {},
             std::vector<Note> notes = {});
  void Warning(Rule rule, const std::string& file, std::size_t line, std::string message,
               std::string hint = {}, std::vector<Note> notes = {});

  std::size_t Errors() const;
  std::size_t Warnings() const;
  const std::vector<Finding>& Findings() const { return m_findings; }

  // 0 clean, 1 warnings only, 2 errors.
  int ExitStatus() const;

  // Writes every finding, sorted by the displayed file name (byte order),
  // then line, then the order they were found. `display` turns a file name
  // into the text shown (for Json and Sarif: the path relative to the disk,
  // with "/"). Text ends with a summary line; Json is a list of objects
  // {rule, level, file, line, message, hint, notes: [{file, line, message}]};
  // Sarif is one run of the tool "capsule-check" with every rule, a result
  // per finding, and its hint and notes as related locations.
  void Write(std::ostream& out, Format format,
             const std::function<std::string(const std::string&)>& display) const;

 private:
  std::vector<Finding> m_findings;
};

}  // namespace checker
