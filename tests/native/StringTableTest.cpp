#include <gtest/gtest.h>

#include "resources/StringTable.h"

TEST(StringTable, InsertDiskPromptCarriesTheProductName) {
  EXPECT_EQ(res::InsertDiskPrompt(), "Please insert the disk labeled \"Velmora 5.0\", and click OK.");
  EXPECT_EQ(res::Str(res::IDS_MACRO_TOKEN_BASE + 10), "{TOKEN10}");
  EXPECT_EQ(res::Str(61232), "");
}
