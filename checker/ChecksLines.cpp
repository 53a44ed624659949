// Keys and headers: files that cannot be read as text, lines that do not
// do what they seem to, headers, and keys that stand where they do nothing.
#include <algorithm>
#include <set>

#include "checker/CheckContext.h"
#include "checker/Checks.h"
#include "checker/Text.h"
#include "platform/Text.h"

namespace checker {

using Kind = ConfigLineEvent::Kind;

namespace {

// A line that looks like a header but is not one.
bool CheckHeaderLookalike(CheckContext& ctx, LineRef ref) {
  const LoggedLine& line = ctx.log.lines[ref];
  const std::string& text = line.text;
  const std::string effect = line.kind == Kind::Entry ? "it is taken as a capsule folder of [Packages]"
                             : line.section.empty()
                                 ? "it changes nothing"
                                 : "it changes nothing, and " + line.section + " stays open";
  const Invisible lead = LeadingInvisible(text);
  if (lead.length > 0) {
    const std::string rest = text.substr(lead.length);
    if (!rest.empty() && rest.front() == '[' && rest.back() == ']') {
      ctx.Error(Rule::HeaderLookalike, ctx.At(ref),
                Q(rest) + " is no header, because " + lead.what + " stands before it: " + effect,
                "save the file as plain 8-bit (ANSI) text, without a byte-order mark");
      return true;
    }
  }
  if (!text.empty() && text.front() == '[' && text.back() != ']') {
    const auto close = text.find(']');
    if (close != std::string::npos) {
      const std::string after = plat::TrimLeft(text.substr(close + 1));
      std::string hint = "a header line must end with \"]\"";
      if (!after.empty() && after.front() == ';')
        hint += "; there are no comments after a header: put them on a line of their own";
      ctx.Error(Rule::HeaderLookalike, ctx.At(ref),
                Q(text) + " is no header, because it does not end with \"]\": " + effect, hint);
    } else {
      ctx.Error(Rule::HeaderLookalike, ctx.At(ref),
                Q(text) + " looks like a header but has no closing \"]\": " + effect);
    }
    return true;
  }
  return false;
}

// Lines before a file's first header.
bool CheckAheadOfFirstHeader(CheckContext& ctx, LineRef ref) {
  const LoggedLine& line = ctx.log.lines[ref];
  if (!line.header.empty()) return false;
  const FileRead& read = ctx.log.ReadOf(ref);
  const bool keyLike = line.text.find('=') != std::string::npos;
  if (line.kind == Kind::Outside) {
    if (keyLike)
      ctx.Error(Rule::BeforeFirstHeader, ctx.At(ref),
                Q(line.text) + " stands before the file's first header and is ignored",
                "put it under the header of its section ([TuneUp] or [Version])");
    else
      ctx.Warning(Rule::BeforeFirstHeader, ctx.At(ref),
                  Q(line.text) + " stands before the file's first header and is ignored");
    return true;
  }
  // In a capsule file the line belongs to the section the previous file left open.
  const std::string previous =
      read.firstLine > 0 ? ctx.Rel(ctx.log.ReadOf(read.firstLine - 1).path) : std::string();
  std::string what = line.kind == Kind::Entry ? "it adds a capsule folder"
                     : line.kind == Kind::Key ? "it sets " + line.key
                                              : "it belongs there";
  ctx.Error(Rule::BeforeFirstHeader, ctx.At(ref),
            Q(line.text) + " stands before the file's first header, so it belongs to " + line.section +
                ", which " + previous + " left open: " + what,
            "start every file with a header");
  return true;
}

// A key line whose name is no key of its section.
void CheckKeyName(CheckContext& ctx, const LoggedLine& line, LineRef ref, const std::string& name) {
  const KeySection section =
      line.section == SectionHeader(KeySection::Version) ? KeySection::Version : KeySection::TuneUp;
  const std::string header(SectionHeader(section));
  // Invisible characters around the name.
  const Invisible lead = LeadingInvisible(name);
  const Invisible trail = TrailingInvisible(name);
  const std::string bare = name.substr(lead.length, name.size() - lead.length - trail.length);
  if (lead.length + trail.length > 0) {
    if (const KeyInfo* key = FindKey(bare)) {
      const std::string what =
          lead.length > 0 ? lead.what + " before the name" : trail.what + " after the name";
      if (key->section == section)
        ctx.Error(Rule::KeyInvisibleBlank, ctx.At(ref),
                  Q(name) + " names no key of " + header + " only because of " + what,
                  "remove it; save the file as plain 8-bit (ANSI) text");
      else
        ctx.Error(Rule::KeyInvisibleBlank, ctx.At(ref),
                  Q(name) + " names no key: " + what + "; and " + std::string(key->name) + " is a key of " +
                      std::string(SectionHeader(key->section)) + ", not of " + header);
      return;
    }
  }
  // A key of the other section.
  if (const KeyInfo* key = FindKey(bare)) {
    ctx.Error(Rule::KeyWrongSection, ctx.At(ref),
              std::string(key->name) + " is a key of " + std::string(SectionHeader(key->section)) + "; in " +
                  header + " it has no effect",
              "move it under " + std::string(SectionHeader(key->section)));
    return;
  }
  // Letter case.
  for (const KeyInfo& key : AllKeys()) {
    if (plat::AsciiLower(key.name) != plat::AsciiLower(bare)) continue;
    if (key.section == section)
      ctx.Error(Rule::KeyCase, ctx.At(ref),
                Q(name) + " names no key of " + header + ": key names compare in exact case",
                "write \"" + std::string(key.name) + "\"");
    else
      ctx.Error(Rule::KeyCase, ctx.At(ref),
                Q(name) + " names no key: key names compare in exact case, and \"" + std::string(key.name) +
                    "\" is a key of " + std::string(SectionHeader(key.section)) +
                    ", where it would have to stand");
    return;
  }
  if (bare == "Key" || bare == "Value") {
    ctx.Warning(Rule::KeyWrongSection, ctx.At(ref),
                bare + " belongs in a registry section named by a token; in " + header + " it has no effect");
    return;
  }
  // A near miss.
  const KeyInfo* nearest = nullptr;
  std::size_t best = 3;
  for (const KeyInfo& key : AllKeys()) {
    if (key.section != section || key.name.size() < 4) continue;
    const std::size_t d = FoldedDistance(bare, key.name, 2);
    if (d < best) {
      best = d;
      nearest = &key;
    }
  }
  if (nearest != nullptr) {
    ctx.Error(Rule::KeyUnknown, ctx.At(ref), Q(name) + " is no key of " + header + " and is ignored",
              "did you mean \"" + std::string(nearest->name) + "\"?");
    return;
  }
  ctx.Warning(Rule::KeyUnknown, ctx.At(ref), Q(name) + " is no key of " + header + " and is ignored");
}

void CheckNoKey(CheckContext& ctx, LineRef ref) {
  const LoggedLine& line = ctx.log.lines[ref];
  const auto equals = line.text.find('=');
  if (equals == std::string::npos) {
    const std::string& t = line.text;
    if (t.front() == '#' || t.compare(0, 2, "//") == 0 || plat::AsciiLower(t.substr(0, 4)) == "rem ")
      ctx.Warning(Rule::KeyNoEquals, ctx.At(ref),
                  Q(t) + " is no comment: only lines that start with \";\" are", "start it with \";\"");
    else if (const KeyInfo* key = FindKey(t.substr(0, t.find_first_of(" :"))))
      ctx.Error(Rule::KeyNoEquals, ctx.At(ref),
                Q(t) + " has no \"=\", so " + std::string(key->name) + " is not set",
                "write \"" + std::string(key->name) + "=...\"");
    else
      ctx.Warning(Rule::KeyNoEquals, ctx.At(ref), Q(t) + " has no \"=\" and is ignored");
    return;
  }
  const std::string name = plat::TrimRight(line.text.substr(0, equals));
  CheckKeyName(ctx, line, ref, name);
}

void CheckKeyLine(CheckContext& ctx, LineRef ref) {
  const LoggedLine& line = ctx.log.lines[ref];
  // An end-of-line comment is part of the value.
  const auto semicolon = line.value.find(" ;");
  if (semicolon != std::string::npos)
    ctx.Warning(Rule::EndOfLineComment, ctx.At(ref),
                line.key + " is " + Q(line.value) + ": a \";\" after the value is part of it, not a comment",
                "put comments on a line of their own");
  // A TAB inside the value is deleted, not turned into a blank.
  const auto equals = line.raw.find('=');
  if (equals != std::string::npos) {
    const std::string rawValue = plat::Trim(line.raw.substr(equals + 1));
    const auto tab = rawValue.find('\t');
    if (tab != std::string::npos && tab > 0 && rawValue.find_first_not_of('\t', tab) != std::string::npos)
      ctx.Warning(Rule::TabInValue, ctx.At(ref),
                  "a TAB in the value of " + line.key +
                      " is deleted, not turned into a blank: the value reads " + Q(line.value),
                  "use blanks");
  }
}

void CheckEntry(CheckContext& ctx, LineRef ref) {
  const LoggedLine& line = ctx.log.lines[ref];
  const FileRead& read = ctx.log.ReadOf(ref);
  if (!read.main) {
    ctx.Error(
        Rule::PackagesInCapsule, ctx.At(ref),
        "a [Packages] entry in a capsule file: the capsule tree was counted before this file was read, so " +
            Q(line.text) + " is never shown",
        "list every capsule folder in the main file");
  }
}

}  // namespace

void CheckFiles(CheckContext& ctx) {
  for (const FileRead& read : ctx.log.reads) {
    for (std::size_t i = 0; i < read.lineCount; ++i) {
      const LoggedLine& line = ctx.log.lines[read.firstLine + i];
      if (line.raw.find('\0') != std::string::npos) {
        ctx.report.Error(Rule::Utf16File, read.path, 1,
                         "the file is saved as UTF-16 text: the reader finds no header and no key in it",
                         "save it as plain 8-bit (ANSI) text");
        break;
      }
    }
  }
}

void CheckLines(CheckContext& ctx) {
  for (LineRef ref = 0; ref < ctx.log.lines.size(); ++ref) {
    const LoggedLine& line = ctx.log.lines[ref];
    if (line.kind == Kind::Skipped) continue;
    if (line.raw.find('\0') != std::string::npos) continue;
    if (line.kind == Kind::KnownHeader || line.kind == Kind::OtherHeader) continue;
    if (CheckHeaderLookalike(ctx, ref)) continue;
    if (CheckAheadOfFirstHeader(ctx, ref)) continue;
    if (line.kind == Kind::NoKey) CheckNoKey(ctx, ref);
    if (line.kind == Kind::Key) CheckKeyLine(ctx, ref);
    if (line.kind == Kind::Entry) CheckEntry(ctx, ref);
  }
}

void CheckHeaders(CheckContext& ctx) {
  for (LineRef ref = 0; ref < ctx.log.lines.size(); ++ref) {
    const LoggedLine& line = ctx.log.lines[ref];
    if (line.kind != Kind::OtherHeader) continue;
    const FileRead& read = ctx.log.ReadOf(ref);
    const std::string& text = line.text;
    // A header that a token names is what it should be; one that a token
    // names in another case is reported with the token's section.
    bool named = false;
    for (int n = 1; n <= 10; ++n)
      if (plat::EqualsNoCase(plat::TrimLeft(ctx.Value("Token" + std::to_string(n), read.capsule)), text))
        named = true;
    if (!read.main && named) continue;
    const std::string inner = text.substr(1, text.size() - 2);
    // Blanks and invisible characters inside the brackets.
    std::string squeezed;
    for (std::size_t i = 0; i < inner.size();) {
      const Invisible inv = LeadingInvisible(inner.substr(i));
      if (inv.length > 0) {
        i += inv.length;
        continue;
      }
      if (inner[i] != ' ') squeezed.push_back(inner[i]);
      ++i;
    }
    bool reported = false;
    for (std::string_view known : KnownHeaders()) {
      const std::string k(known);
      if ("[" + squeezed + "]" == k) {
        ctx.Error(Rule::HeaderCase, ctx.At(ref),
                  Q(text) + " is not " + k +
                      ": blanks and invisible characters inside the brackets count; the lines up to the next "
                      "known header are ignored",
                  "write " + k);
        reported = true;
      } else if (plat::AsciiLower("[" + squeezed + "]") == plat::AsciiLower(k)) {
        ctx.Error(Rule::HeaderCase, ctx.At(ref),
                  Q(text) + " is not " + k +
                      ": headers compare in exact case; the lines up to the next known header are ignored",
                  "write " + k);
        reported = true;
      } else if (FoldedDistance(squeezed, k.substr(1, k.size() - 2), 2) <= 2) {
        ctx.Error(Rule::HeaderMisspelt, ctx.At(ref),
                  "unknown header " + Q(text) + ": the lines up to the next known header are ignored",
                  "did you mean " + k + "?");
        reported = true;
      }
      if (reported) break;
    }
    if (reported) continue;
    if (std::find(UnreadHeaders().begin(), UnreadHeaders().end(), text) != UnreadHeaders().end()) {
      ctx.Warning(Rule::SectionUnread, ctx.At(ref),
                  "nothing reads a section " + text + ": its lines have no effect");
      continue;
    }
    if (read.main) {
      ctx.Warning(Rule::HeaderUnknownInMain, ctx.At(ref),
                  "unknown header " + Q(text) +
                      " in the main file: the lines up to the next known header are ignored",
                  "registry sections belong in the capsule file whose token names them");
      continue;
    }
    ctx.Warning(
        Rule::TokenSectionUnnamed, ctx.At(ref),
        "section " + text + " is named by no token of " + ctx.Label(read.capsule) + ": nothing reads it",
        "name it with a token, e.g. \"Token1=" + text + "\", or remove it");
  }
}

void CheckKeyPlacement(CheckContext& ctx) {
  // Height and Distance are taken before the capsule files are read; Test,
  // Run1, Run2 and the order dialog's keys are read from the main file only.
  static const std::set<std::string> kNoEffectInCapsule = {"Test", "Height",      "Distance", "Run1",
                                                           "Run2", "OrderURLmsg", "OrderURL"};
  for (const auto& [slot, refs] : ctx.log.keyLines) {
    const std::string& keyName = slot.first;
    const KeyInfo* key = FindKey(keyName);
    if (key == nullptr) continue;
    // The same key twice in one read.
    for (std::size_t i = 1; i < refs.size(); ++i) {
      if (ctx.log.lines[refs[i]].read == ctx.log.lines[refs[i - 1]].read)
        ctx.Warning(Rule::KeyTwice, ctx.At(refs[i]), keyName + " is set again: the last line wins", {},
                    {ctx.NoteAt(ctx.At(refs[i - 1]), keyName + " is first set here")});
    }
    for (LineRef ref : refs) {
      const FileRead& read = ctx.log.ReadOf(ref);
      if (key->DialogWide() && !read.main) {
        if (kNoEffectInCapsule.count(keyName) != 0)
          ctx.Warning(Rule::DialogKeyInCapsule, ctx.At(ref),
                      keyName + " has no effect in a capsule file: it is taken from the main file only",
                      "move it to the main file");
        else
          ctx.Warning(Rule::DialogKeyInCapsule, ctx.At(ref),
                      keyName +
                          " is a key of the whole dialog: set in a capsule file it replaces the main file's "
                          "value once this file is read",
                      "set it in the main file only");
      }
      if (!key->DialogWide() && read.main) {
        const auto own = ctx.log.Origin(keyName, 0);
        if (ctx.LastCapsule() < 0) {
          ctx.Warning(
              Rule::CapsuleKeyInMain, ctx.At(ref),
              keyName +
                  " is a key of one capsule: in the main file it is stored for capsule 0, and there is none");
        } else if (own && !ctx.log.ReadOf(*own).main) {
          ctx.Warning(Rule::CapsuleKeyInMain, ctx.At(ref),
                      keyName + " is a key of one capsule: in the main file it is stored for capsule 0 (" +
                          ctx.Label(0) + "), whose own file sets it again, so this line has no effect",
                      "per-capsule keys in the main file are no defaults for all capsules",
                      {ctx.NoteAt(ctx.At(*own), "capsule 0 sets " + keyName + " here")});
        } else {
          ctx.Warning(Rule::CapsuleKeyInMain, ctx.At(ref),
                      keyName + " is a key of one capsule: in the main file it is stored for capsule 0 (" +
                          ctx.Label(0) + ") only",
                      "per-capsule keys in the main file are no defaults for all capsules; set it in the "
                      "capsule's own file");
        }
      }
      if (keyName == "Description")
        ctx.Warning(Rule::UnusedKeys, ctx.At(ref),
                    "Description is kept but never used: the description pane shows the capsule's own " +
                        (read.main ? std::string("<name>.rtf") : ctx.Name(read.capsule) + ".rtf"));
      if (keyName == "PromptType")
        ctx.Warning(Rule::UnusedKeys, ctx.At(ref), "PromptType is kept but never used: it has no effect");
    }
  }
}

}  // namespace checker
