// The program's string table, shared by the resource script and the
// portable code (see strings.inc).
#pragma once

#include <string>

namespace res {

enum StringId : int {
#define VSTR(name, id, text) name = id,
#include "resources/strings.inc"
#undef VSTR
  // The token macros are addressed as this base plus the token number (1..10).
  IDS_MACRO_TOKEN_BASE = 61232,
};

// The text of string `id`; "" for an id the table does not have.
const std::string& Str(int id);

// Product name used in the program's messages.
inline constexpr const char* kProductName = "Velmora 5.0";

// Caption of boxes when the configuration gives no WindowTitle.
inline const std::string& DefaultTitle() { return Str(IDS_DEFAULT_TITLE); }

// `title`, or the default title when it is empty.
inline std::string TitleOrDefault(const std::string& title) { return title.empty() ? DefaultTitle() : title; }

// String 61208 formatted with the product name:
// "Please insert the disk labeled "Velmora 5.0", and click OK."
std::string InsertDiskPrompt();

}  // namespace res
