#include "settings/profile_document.h"

#include <gtest/gtest.h>

namespace oriwen::profile {
namespace {

TEST(ProfileRead, FindsKeysTheWayThePrivateProfileFunctionsDo) {
  const std::string text =
      "; leading comment\r\n"
      "[Main]\r\n"
      "  Alpha = one  \r\n"
      "beta=\"quoted value\"\r\n"
      "empty=\r\n"
      "alpha=second\r\n"
      ";gamma=commented\r\n"
      "[other]\n"
      "alpha=other section\n"
      "[MAIN]\r\n"
      "delta=later section of the same name\r\n";
  struct Case {
    const char* section;
    const char* key;
    std::optional<std::string> value;
  } cases[] = {
      {"main", "ALPHA", "one"},                             // ASCII case, first key wins
      {"Main", "beta", "quoted value"},                     // one pair of quotes removed
      {"Main", "empty", ""},                                // empty value is a value
      {"Main", "gamma", std::nullopt},                      // comments are not keys
      {"other", "alpha", "other section"},                  // LF-only lines read too
      {"main", "delta", "later section of the same name"},  // a later section of the name
      {"missing", "alpha", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(Find(text, c.section, c.key), c.value) << c.key;
}

TEST(ProfileRead, NeverCaseFoldsTheSecondByteOfAGbkCharacter) {
  // 0x81 0x41 and 0x81 0x61 are two different GBK characters whose second
  // bytes happen to be 'A' and 'a'.
  const std::string text =
      "[s]\r\n\x81"
      "A=upper\r\n\x81"
      "a=lower\r\n";
  EXPECT_EQ(Find(text, "s",
                 "\x81"
                 "a"),
            "lower");
  EXPECT_EQ(Find(text, "S",
                 "\x81"
                 "A"),
            "upper");
}

TEST(ProfileWrite, ChangesInPlaceAndKeepsEveryOtherLine) {
  const std::string text =
      "; my notes\r\n"
      "[a]\r\n"
      "x=1\r\n"
      "\r\n"
      "unknown=keep me\r\n"
      "\r\n"
      "[b]\r\n"
      "y=2\r\n";
  EXPECT_EQ(Write(text, "A", "X", "9"),
            "; my notes\r\n[a]\r\nx=9\r\n\r\nunknown=keep me\r\n\r\n[b]\r\ny=2\r\n");
  // A new key goes after the last line of its section, before the blank lines.
  EXPECT_EQ(Write(text, "a", "z", "3"),
            "; my notes\r\n[a]\r\nx=1\r\n\r\nunknown=keep me\r\nz=3\r\n\r\n[b]\r\ny=2\r\n");
  // A new section goes at the end of the file.
  EXPECT_EQ(Write(text, "c", "w", "4"), text + "[c]\r\nw=4\r\n");
}

TEST(ProfileWrite, WorksOnEmptyFilesAndFilesWithoutAFinalLineBreak) {
  EXPECT_EQ(Write("", "s", "k", "v"), "[s]\r\nk=v\r\n");
  EXPECT_EQ(Write("[s]\r\nk=1", "s", "j", "2"), "[s]\r\nk=1\r\nj=2\r\n");
  EXPECT_EQ(Write("[s]", "s", "j", "2"), "[s]\r\nj=2\r\n");
  EXPECT_EQ(Write("x=1", "s", "k", "v"), "x=1\r\n[s]\r\nk=v\r\n");
}

TEST(ProfileWrite, RefusesNamesAndValuesThatWouldNotReadBack) {
  EXPECT_TRUE(CanWrite("按键", "1", "15"));
  EXPECT_TRUE(CanWrite("s", "k", ""));
  EXPECT_FALSE(CanWrite("s", "k", "1\r\n[evil]"));
  EXPECT_FALSE(CanWrite("s]", "k", "v"));
  EXPECT_FALSE(CanWrite("s", "k=x", "v"));
  EXPECT_FALSE(CanWrite("", "k", "v"));
  EXPECT_FALSE(CanWrite("s", ";k", "v"));
}

TEST(ProfileValue, IsCutWithoutSplittingACharacter) {
  EXPECT_EQ(TruncateGbk("abcdef", 4), "abcd");
  EXPECT_EQ(TruncateGbk("ab\xB0\xA1", 3), "ab");
  EXPECT_EQ(TruncateGbk("ab\xB0\xA1", 4), "ab\xB0\xA1");
}

}  // namespace
}  // namespace oriwen::profile
