// capsule-check: finds the configuration traps of a product disk before it
// is pressed. See checker/CapsuleCheck.h.
#include <iostream>
#include <string>
#include <vector>

#include "checker/CapsuleCheck.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  const auto host = checker::MakeHost();
  return checker::RunCapsuleCheck(arguments, *host, std::cout, std::cerr);
}
