// Run once per user locale (LC_ALL of the Wine process); the expected
// identifier and language come from the environment.
#include "resconst/ResConst.h"
#include "resconst/UserLocale.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

TEST(UserLocaleTest, StartsInTheLanguageOfTheUserLocale) {
  const char *lcid = std::getenv("LV_EXPECT_LCID");
  const char *code = std::getenv("LV_EXPECT_LANGUAGE");
  if (!lcid || !code) GTEST_SKIP() << "LV_EXPECT_LCID and LV_EXPECT_LANGUAGE not set";

  EXPECT_EQ(StartupLCID() & 0xFFFF, std::strtoul(lcid, nullptr, 16)) << "LC_ALL=" << std::getenv("LC_ALL");
  EXPECT_STREQ(Languages[ChooseStartLanguage(StartupLCID(), std::nullopt)].Code, code);
  // A stored choice still wins over any locale.
  EXPECT_STREQ(Languages[ChooseStartLanguage(StartupLCID(), std::string("pl"))].Code, "pl");
}

TEST(UserLocaleTest, IsReadOnce) {
  uint32_t first = StartupLCID();
  EXPECT_EQ(first, GetUserDefaultLCID());
  EXPECT_EQ(StartupLCID(), first);
}

}  // namespace
