// The order message's formatting against a plain model: "%s" the product
// name, "%%" one "%", any other "%" kept, then backslash-n a line break.
// Never a formatter, so no input can read or write past its texts.
//
// Input: product name, byte 0x01, format.
#include <cstddef>
#include <cstdint>
#include <string>

#include "app/OrderDialogLogic.h"
#include "fuzz/FuzzInput.h"

namespace {

std::string Model(const std::string& format, const std::string& product) {
  std::string first;
  for (std::size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == 's') {
      first += product;
      ++i;
    } else if (format[i] == '%' && i + 1 < format.size() && format[i + 1] == '%') {
      first += '%';
      ++i;
    } else {
      first += format[i];
    }
  }
  std::string out;
  for (std::size_t i = 0; i < first.size(); ++i) {
    if (first[i] == '\\' && i + 1 < first.size() && first[i + 1] == 'n') {
      out += '\n';
      ++i;
    } else {
      out += first[i];
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto f = fuzzin::Fields(data, size, 2);
  const std::string got = tray::FormatOrderMessage(f[1], f[0]);
  fuzzin::Check(got == Model(f[1], f[0]));
  return 0;
}
