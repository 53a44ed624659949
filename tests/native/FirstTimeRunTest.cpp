// The pause after Run1; the first-run programs themselves are held by
// tests/golden/firstrun.machine.
#include <gtest/gtest.h>

#include "config/FirstTimeRun.h"

namespace {

TEST(FirstTimeRunPause, ReadsLikeAtofTruncatesAndBounds) {
  const std::pair<const char*, int> rows[] = {
      {"  7abc", 7},        {"splash.exe", 0},  {"", 0},       {"-5", 0},          {"-0.5", 0},
      {"0.9", 0},           {"1", 1},           {"61", 61},    {"100000", 100000}, {"4294967.9", 4294967},
      {"4294968", 4294967}, {"1e300", 4294967}, {"-1e300", 0}, {"nan", 0},         {"inf", 4294967},
  };
  for (const auto& [text, seconds] : rows) EXPECT_EQ(FirstTimeRunPauseSeconds(text), seconds) << text;
}

}  // namespace
