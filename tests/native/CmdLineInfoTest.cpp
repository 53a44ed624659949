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

TEST(CommandLineWalk, StripsOneFlagCharacterAndMarksTheLastToken) {
  RecordingInfo info;
  ParseCommandLine({"/0", "-1", "x", "//y", "-", ""}, info);
  EXPECT_EQ(info.tokens, (std::vector<Token>{{"0", true, false},
                                             {"1", true, false},
                                             {"x", false, false},
                                             {"/y", true, false},
                                             {"", true, false},
                                             {"", false, true}}));
  RecordingInfo none;
  ParseCommandLine(std::vector<std::string>{}, none);
  EXPECT_TRUE(none.tokens.empty());
}

TEST(CommandLineWalk, TakesTheTokensAsThePlatformSplitsThem) {
  plat::FakePlatform fake;
  fake.arguments = {"  1 ", "two words"};
  RecordingInfo info;
  ParseCommandLine(fake, info);
  EXPECT_EQ(info.tokens, (std::vector<Token>{{"  1 ", false, false}, {"two words", false, true}}));
}

TEST(StartUpParameter, TheLastTokenWinsWithoutItsFlagCharacter) {
  struct Row {
    std::vector<std::string> arguments;
    std::string param;
  };
  for (const Row& row :
       {Row{{}, ""}, Row{{"0"}, "0"}, Row{{"/0"}, "0"}, Row{{"-0"}, "0"}, Row{{"x", "1"}, "1"},
        Row{{"1", "x"}, "x"}, Row{{"   "}, "   "}, Row{{"-1", ""}, ""}}) {
    CMyCmdLineInfo info;
    ParseCommandLine(row.arguments, info);
    EXPECT_EQ(info.m_sParam, row.param) << row.arguments.size();
  }
}

}  // namespace
