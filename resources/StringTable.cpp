#include "resources/StringTable.h"

#include <unordered_map>

namespace res {

const std::string& Str(int id) {
  static const std::unordered_map<int, std::string> table = {
#define VSTR(name, id, text) {id, text},
#include "resources/strings.inc"
#undef VSTR
  };
  static const std::string empty;
  auto it = table.find(id);
  return it == table.end() ? empty : it->second;
}

std::string InsertDiskPrompt() {
  const std::string& format = Str(IDS_INSERT_DISK);
  std::string out;
  auto pos = format.find("%s");
  out.append(format, 0, pos);
  out += kProductName;
  out.append(format, pos + 2, std::string::npos);
  return out;
}

}  // namespace res
