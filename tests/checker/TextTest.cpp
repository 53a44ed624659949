// The checker's text rules that no fixture disk can show on every system:
// JSON strings of any bytes, and the names Joliet refuses.
#include <gtest/gtest.h>

#include <string>

#include "checker/Checks.h"
#include "checker/Text.h"

namespace {

std::string Times(int n, const std::string& text) {
  std::string out;
  for (int i = 0; i < n; ++i) out += text;
  return out;
}

TEST(JsonString, EscapesQuotesBackslashesControlsAndBytesThatAreNoUtf8) {
  const struct {
    std::string text, json;
  } rows[] = {
      {"say \"hi\" C:\\x", R"("say \"hi\" C:\\x")"},
      {"a\tb\x01\x1F\x20\x7F", "\"a\\u0009b\\u0001\\u001F \x7F\""},
      {"\xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80 \xF0\x90\x80\x80 \xF4\x8F\xBF\xBF",
       "\"\xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80 \xF0\x90\x80\x80 \xF4\x8F\xBF\xBF\""},
      {"caf\xE9", R"("caf\u00E9")"},                                              // ANSI, taken as Latin-1
      {"\xC1\xBF", R"("\u00C1\u00BF")"},                                          // overlong
      {"\xE0\x9F\xBF", R"("\u00E0\u009F\u00BF")"},                                // overlong
      {"\xF0\x8F\xBF\xBF", R"("\u00F0\u008F\u00BF\u00BF")"},                      // overlong
      {"\xED\xA0\x80\xED\xBF\xBF", R"("\u00ED\u00A0\u0080\u00ED\u00BF\u00BF")"},  // surrogates
      {"\xF4\x90\x80\x80", R"("\u00F4\u0090\u0080\u0080")"},                      // above U+10FFFF
      {"\xF8\x90\x80\x80", R"("\u00F8\u0090\u0080\u0080")"},                      // no lead byte
      {"\xE2\x82", R"("\u00E2\u0082")"},                                          // cut short
      {"\xE2(\xA1", R"("\u00E2(\u00A1")"},                                        // no continuation
  };
  for (const auto& r : rows) EXPECT_EQ(checker::JsonString(r.text), r.json) << r.json;
}

TEST(JolietProblem, ForbiddenCharactersAndMoreThan64Utf16Units) {
  const std::string forbids = "\", which Joliet forbids";
  const struct {
    std::string name, problem;
  } rows[] = {
      {"read me (1).txt", ""},
      {"a*b", "holds \"*" + forbids},
      {"a/b", "holds \"/" + forbids},
      {"a:b", "holds \":" + forbids},
      {"a;1", "holds \";" + forbids},
      {"a?b", "holds \"?" + forbids},
      {"a\\b", "holds \"\\" + forbids},
      {"a\x1F", "holds a control character, which Joliet forbids"},
      {std::string(64, 'a'), ""},
      {std::string(65, 'a'), "is 65 characters long, and Joliet keeps at most 64"},
      {Times(64, "\xC3\xA9"), ""},
      {Times(32, "\xF0\x9F\x98\x80"), ""},
      {Times(32, "\xF0\x9F\x98\x80") + "a", "is 65 characters long, and Joliet keeps at most 64"},
      {std::string(65, '\xE9'), "is 65 characters long, and Joliet keeps at most 64"},
  };
  for (const auto& r : rows) EXPECT_EQ(checker::JolietProblem(r.name), r.problem) << r.name;
}

}  // namespace
