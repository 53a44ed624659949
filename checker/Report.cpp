#include "checker/Report.h"

#include <algorithm>
#include <numeric>

namespace checker {

void Report::Add(Finding finding) {
  for (const Finding& f : m_findings)
    if (f.file == finding.file && f.line == finding.line && f.message == finding.message) return;
  m_findings.push_back(std::move(finding));
}

void Report::Error(const std::string& file, std::size_t line, std::string message, std::string hint) {
  Add({file, line, Severity::Error, std::move(message), std::move(hint)});
}

void Report::Warning(const std::string& file, std::size_t line, std::string message, std::string hint) {
  Add({file, line, Severity::Warning, std::move(message), std::move(hint)});
}

std::size_t Report::Errors() const {
  return static_cast<std::size_t>(std::count_if(
      m_findings.begin(), m_findings.end(), [](const Finding& f) { return f.severity == Severity::Error; }));
}

std::size_t Report::Warnings() const { return m_findings.size() - Errors(); }

int Report::ExitStatus() const { return Errors() > 0 ? 2 : Warnings() > 0 ? 1 : 0; }

void Report::Print(std::ostream& out, const std::function<std::string(const std::string&)>& display) const {
  std::vector<std::string> shown;
  shown.reserve(m_findings.size());
  for (const Finding& f : m_findings) shown.push_back(display(f.file));
  std::vector<std::size_t> order(m_findings.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (shown[a] != shown[b]) return shown[a] < shown[b];
    return m_findings[a].line < m_findings[b].line;
  });
  for (std::size_t i : order) {
    const Finding& f = m_findings[i];
    std::string where = shown[i];
    if (f.line > 0) where += ":" + std::to_string(f.line);
    out << where << ": " << (f.severity == Severity::Error ? "error" : "warning") << ": " << f.message
        << "\n";
    if (!f.hint.empty()) out << where << ": note: " << f.hint << "\n";
  }
  const std::size_t errors = Errors();
  const std::size_t warnings = Warnings();
  out << errors << (errors == 1 ? " error, " : " errors, ") << warnings
      << (warnings == 1 ? " warning" : " warnings") << "\n";
}

}  // namespace checker
