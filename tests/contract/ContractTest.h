// The fixture of every platform contract case.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tests/contract/ContractEnv.h"

namespace contract {

class ContractTest : public ::testing::Test {
 protected:
  void SetUp() override { env_ = MakeContractEnv(); }
  void TearDown() override { env_.reset(); }

  ContractEnv& Env() { return *env_; }
  plat::Platform& P() { return env_->Platform(); }
  std::string InScratch(const std::string& name) { return env_->Scratch() + "\\" + name; }

 private:
  std::unique_ptr<ContractEnv> env_;
};

// Whether a path is absolute on a drive ("X:\...") and does not end in "\"
// (a bare drive root excepted).
inline bool IsAbsoluteWithoutTrailingSeparator(const std::string& path) {
  if (path.size() < 3 || path[1] != ':' || path[2] != '\\') return false;
  return path.size() == 3 || path.back() != '\\';
}

inline std::string Lowered(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace contract
