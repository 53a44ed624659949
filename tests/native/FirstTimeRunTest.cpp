// The pause after Run1; the first-run programs themselves are held by
// tests/golden/firstrun.machine.
#include <gtest/gtest.h>

#include "config/FirstTimeRun.h"

namespace {

TEST(FirstTimeRunPause, ReadsLikeAtofTruncatesAndBounds) {
  const std::pair<const char*, int> rows[] = {
      {"  7abc", 7}, {"splash.exe", 0}, {"", 0},        {"-5", 0},     {"-0.5", 0},   {"0.9", 0}, {"1", 1},
      {"59.99", 59}, {"60", 60},        {"100000", 60}, {"1e300", 60}, {"-1e300", 0}, {"nan", 0}, {"inf", 60},
  };
  for (const auto& [text, seconds] : rows) EXPECT_EQ(FirstTimeRunPauseSeconds(text), seconds) << text;
}

}  // namespace
