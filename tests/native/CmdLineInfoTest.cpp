#include <gtest/gtest.h>

#include "app/CmdLineInfo.h"
#include "platform/fake/FakePlatform.h"

namespace {

struct Token {
  std::string param;
  bool isFlag;
  bool isLast;
  bool operator==(const Token&) const = default;
};

class RecordingInfo : public CCommandLineInfo {
 public:
  std::vector<Token> tokens;
  void ParseParam(const std::string& param, bool isFlag, bool isLast) override {
    tokens.push_back({param, isFlag, isLast});
  }
};

// The tokens as the platform splits them: one flag character stripped, the
// last one marked; the start-up parameter is the last token so taken.
TEST(CommandLine, TokensAndTheStartUpParameter) {
  plat::FakePlatform fake;
  fake.arguments = {"/0", "-1", "x", "//y", "-", "  1 ", ""};
  RecordingInfo info;
  ParseCommandLine(fake, info);
  EXPECT_EQ(info.tokens, (std::vector<Token>{{"0", true, false},
                                             {"1", true, false},
                                             {"x", false, false},
                                             {"/y", true, false},
                                             {"", true, false},
                                             {"  1 ", false, false},
                                             {"", false, true}}));
  for (const auto& [arguments, param] : std::vector<std::pair<std::vector<std::string>, std::string>>{
           {{}, ""}, {{"-0"}, "0"}, {{"x", "1"}, "1"}, {{"-1", ""}, ""}}) {
    CMyCmdLineInfo startUp;
    ParseCommandLine(arguments, startUp);
    EXPECT_EQ(startUp.m_sParam, param) << arguments.size();
  }
}

}  // namespace
