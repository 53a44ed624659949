// Printing of a measured ratio or figure against its target.
#pragma once

#include <cstdio>

namespace bench {

// Prints "name: value (target <= limit) ok|MISSED" and returns whether it is met.
inline bool Check(const char* name, double value, double limit, const char* unit = "x") {
  const bool ok = value <= limit;
  std::printf("  %-42s %9.3f%s  (target <= %g%s)  %s\n", name, value, unit, limit, unit,
              ok ? "ok" : "MISSED");
  return ok;
}

}  // namespace bench
