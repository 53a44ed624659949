// The checker's findings, compiler style: "file:line: error: message", each
// optionally followed by "file:line: note: hint", sorted by file and line.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace checker {

enum class Severity { Error, Warning };

struct Finding {
  std::string file;      // as the program names it; "" for the disk as a whole
  std::size_t line = 0;  // 0: the file as a whole
  Severity severity = Severity::Warning;
  std::string message;
  std::string hint;
};

class Report {
 public:
  void Add(Finding finding);
  void Error(const std::string& file, std::size_t line, std::string message, std::string hint = {});
  void Warning(const std::string& file, std::size_t line, std::string message, std::string hint = {});

  std::size_t Errors() const;
  std::size_t Warnings() const;
  const std::vector<Finding>& Findings() const { return m_findings; }

  // 0 clean, 1 warnings only, 2 errors.
  int ExitStatus() const;

  // Writes every finding, sorted by the displayed file name (byte order),
  // then line, then the order they were found, and a last summary line.
  // `display` turns a file name into the text shown.
  void Print(std::ostream& out, const std::function<std::string(const std::string&)>& display) const;

 private:
  std::vector<Finding> m_findings;
};

}  // namespace checker
