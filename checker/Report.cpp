#include "checker/Report.h"

#include <algorithm>
#include <numeric>

#include "checker/Text.h"
#include "platform/Text.h"

namespace checker {

namespace {

using Display = std::function<std::string(const std::string&)>;

const char* Level(Severity severity) { return severity == Severity::Error ? "error" : "warning"; }

std::string Where(const std::string& shown, std::size_t line) {
  return line > 0 ? shown + ":" + std::to_string(line) : shown;
}

// A relative path as a URI reference: every byte but the unreserved ones
// and "/" percent-encoded.
std::string UriReference(const std::string& path) {
  std::string out;
  for (const char c : path) {
    const auto b = static_cast<unsigned char>(c);
    if ((b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z') || (b >= '0' && b <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~' || c == '/') {
      out += c;
    } else {
      out += '%' + plat::HexByte(b);
    }
  }
  return out;
}

std::string Join(const std::vector<std::string>& items) {
  std::string out;
  for (const std::string& item : items) out += (out.empty() ? "" : ", ") + item;
  return out;
}

// "[]", or the items one a line at `indent`, the closing bracket one level out.
std::string List(const std::vector<std::string>& items, const std::string& indent) {
  if (items.empty()) return "[]";
  std::string out = "[\n";
  for (std::size_t i = 0; i < items.size(); ++i)
    out += indent + items[i] + (i + 1 < items.size() ? ",\n" : "\n");
  return out + indent.substr(2) + "]";
}

std::string SarifPhysical(const std::string& shown, std::size_t line) {
  std::string out = "{\"artifactLocation\": {\"uri\": " + JsonString(UriReference(shown)) + "}";
  if (line > 0) out += ", \"region\": {\"startLine\": " + std::to_string(line) + "}";
  return out + "}";
}

std::string SarifRelated(const std::string& shown, std::size_t line, const std::string& message) {
  return "{\"physicalLocation\": " + SarifPhysical(shown, line) +
         ", \"message\": {\"text\": " + JsonString(message) + "}}";
}

}  // namespace

void Report::Add(Finding finding) {
  for (const Finding& f : m_findings)
    if (f.file == finding.file && f.line == finding.line && f.message == finding.message) return;
  m_findings.push_back(std::move(finding));
}

void Report::Error(Rule rule, const std::string& file, std::size_t line, std::string message,
                   std::string hint, std::vector<Note> notes) {
  Add({rule, file, line, Severity::Error, std::move(message), std::move(hint), std::move(notes)});
}

void Report::Warning(Rule rule, const std::string& file, std::size_t line, std::string message,
                     std::string hint, std::vector<Note> notes) {
  Add({rule, file, line, Severity::Warning, std::move(message), std::move(hint), std::move(notes)});
}

std::size_t Report::Errors() const {
  return static_cast<std::size_t>(std::count_if(
      m_findings.begin(), m_findings.end(), [](const Finding& f) { return f.severity == Severity::Error; }));
}

std::size_t Report::Warnings() const { return m_findings.size() - Errors(); }

int Report::ExitStatus() const { return Errors() > 0 ? 2 : Warnings() > 0 ? 1 : 0; }

void Report::Write(std::ostream& out, Format format, const Display& display) const {
  std::vector<std::string> shown;
  shown.reserve(m_findings.size());
  for (const Finding& f : m_findings) shown.push_back(display(f.file));
  std::vector<std::size_t> order(m_findings.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (shown[a] != shown[b]) return shown[a] < shown[b];
    return m_findings[a].line < m_findings[b].line;
  });

  std::vector<std::string> items;
  for (std::size_t i : order) {
    const Finding& f = m_findings[i];
    if (format == Format::Text) {
      const std::string where = Where(shown[i], f.line);
      out << where << ": " << Level(f.severity) << ": " << f.message << "\n";
      if (!f.hint.empty()) out << where << ": note: " << f.hint << "\n";
      for (const Note& note : f.notes)
        out << Where(display(note.file), note.line) << ": note: " << note.message << "\n";
    } else if (format == Format::Json) {
      std::vector<std::string> notes;
      for (const Note& note : f.notes)
        notes.push_back("{\"file\": " + JsonString(display(note.file)) + ", \"line\": " +
                        std::to_string(note.line) + ", \"message\": " + JsonString(note.message) + "}");
      items.push_back("{\"rule\": " + JsonString(Describe(f.rule).id) + ", \"level\": \"" +
                      Level(f.severity) + "\", \"file\": " + JsonString(shown[i]) +
                      ", \"line\": " + std::to_string(f.line) + ", \"message\": " + JsonString(f.message) +
                      ", \"hint\": " + JsonString(f.hint) + ", \"notes\": [" + Join(notes) + "]}");
    } else {
      std::vector<std::string> related;
      if (!f.hint.empty()) related.push_back(SarifRelated(shown[i], f.line, f.hint));
      for (const Note& note : f.notes)
        related.push_back(SarifRelated(display(note.file), note.line, note.message));
      std::string result = "{\"ruleId\": " + JsonString(Describe(f.rule).id) + ", \"level\": \"" +
                           Level(f.severity) + "\", \"message\": {\"text\": " + JsonString(f.message) +
                           "}, \"locations\": [{\"physicalLocation\": " + SarifPhysical(shown[i], f.line) +
                           "}]";
      if (!related.empty()) result += ", \"relatedLocations\": [" + Join(related) + "]";
      items.push_back(result + "}");
    }
  }

  if (format == Format::Text) {
    const std::size_t errors = Errors();
    const std::size_t warnings = Warnings();
    out << errors << (errors == 1 ? " error, " : " errors, ") << warnings
        << (warnings == 1 ? " warning" : " warnings") << "\n";
  } else if (format == Format::Json) {
    out << List(items, "  ") << "\n";
  } else {
    std::vector<std::string> rules;
    for (const RuleInfo& rule : AllRules())
      rules.push_back("{\"id\": " + JsonString(rule.id) +
                      ", \"shortDescription\": {\"text\": " + JsonString(rule.description) + "}}");
    out << "{\n"
        << "  \"$schema\": \"https://json.schemastore.org/sarif-2.1.0.json\",\n"
        << "  \"version\": \"2.1.0\",\n"
        << "  \"runs\": [\n"
        << "    {\n"
        << "      \"tool\": {\"driver\": {\"name\": \"capsule-check\", \"rules\": " << List(rules, "        ")
        << "}},\n"
        << "      \"results\": " << List(items, "        ") << "\n"
        << "    }\n"
        << "  ]\n"
        << "}\n";
  }
}

}  // namespace checker
