// A listener that the configuration reader tells, line by line, how it took
// each line of a file. Authoring tools use it to see a file exactly as the
// program sees it; the program itself never sets one.
#pragma once

#include <cstddef>
#include <string_view>

struct ConfigLineEvent {
  enum class Kind {
    Skipped,      // empty after trimming, or a comment (first character ";")
    KnownHeader,  // opened [Packages], [TuneUp] or [Version]; in a section read: the requested header
    OtherHeader,  // any other line that starts with "[" and ends with "]"; it closes the open section
    Entry,        // a [Packages] entry
    Key,          // set the key `key` of the open section to `value`
    NoKey,        // stood in [TuneUp], [Version] or the requested section but set nothing
    Outside,      // no section was open: the line changed nothing
  };

  std::string_view file;     // the path given to the reader; "" for text in memory
  std::size_t number = 0;    // physical line number, from 1
  std::string_view raw;      // the line as it stands in the file, without its line feed
  std::string_view text;     // the line after TAB deletion and trimming, as the reader compares it
  Kind kind = Kind::Skipped;
  // The header of the section the line belongs to ("[TuneUp]", ...; for a
  // header, the section it opens); "" when none is open.
  std::string_view section;
  std::string_view key;      // Kind::Key: the key's name
  std::string_view value;    // Kind::Key: the text stored
};

class IConfigLineObserver {
 public:
  virtual ~IConfigLineObserver() = default;
  // Called once for every physical line of a file, in order, while the
  // reader holds it; the views are valid only during the call.
  virtual void OnConfigLine(const ConfigLineEvent& event) = 0;
};
