#include "install/InstallText.h"

namespace inst {

std::string AsciiLower(const std::string& text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

}  // namespace inst
