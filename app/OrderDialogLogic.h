// The order dialog's content: offered at start-up when the product's disk is
// missing and the configuration names an order page. It shows the order
// message, and the page address as a one-item link tree whose click opens
// the page.
#pragma once

#include <string>

#include "platform/Platform.h"

namespace app {

struct OrderDialogContent {
  std::string configFile;  // the program folder's configuration
  std::string title;       // its WindowTitle value
  std::string caption;     // the title, or the default title when empty
  std::string message;     // OrderURLmsg formatted with the product name
  std::string url;         // OrderURL
};

// Reads the program folder's configuration into a fresh store and builds the
// dialog's texts; a missing configuration gives the default caption and
// empty texts.
OrderDialogContent LoadOrderDialogContent(plat::Platform& platform);

// The order message: each "%s" of `format` becomes `productName` and each
// "%%" a single "%"; every other "%" sequence stays as written (the format
// is configuration text, never handed to a formatter). Then each backslash
// followed by the letter n becomes a line break.
std::string FormatOrderMessage(const std::string& format, const std::string& productName);

// Opens the order page with the shell: verb "open", no parameters, no
// folder, shown normally. Its failure is the shell's affair.
void OpenOrderPage(plat::Platform& platform, plat::WindowHandle owner, const std::string& url);

}  // namespace app
