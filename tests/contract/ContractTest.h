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

  ContractEnv& Env() { return *env_; }
  plat::Platform& P() { return env_->Platform(); }
  std::string InScratch(const std::string& name) { return env_->Scratch() + "\\" + name; }

 private:
  std::unique_ptr<ContractEnv> env_;
};

inline std::string Lowered(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace contract
