// The order message's formatting against a plain model: "%s" the product
// name, "%%" one "%", any other "%" kept, then backslash-n a line break.
// Never a formatter, so no input can read or write past its texts.
//
// Input: product name, byte 0x01, format.

#include "app/OrderDialogLogic.h"
#include "fuzz/FuzzInput.h"
#include "platform/Text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto f = fuzzin::Fields(data, size, 2);
  const std::string& format = f[1];
  std::string expected;
  for (std::size_t i = 0; i < format.size(); ++i) {
    const char next = i + 1 < format.size() ? format[i + 1] : '\0';
    if (format[i] == '%' && (next == 's' || next == '%'))
      expected += next == 's' ? f[0] : "%", ++i;
    else
      expected += format[i];
  }
  fuzzin::Check(app::FormatOrderMessage(format, f[0]) == plat::ReplaceAll(expected, "\\n", "\n"));
  return 0;
}
