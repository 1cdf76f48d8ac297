#include "settings/number_text.h"

#include <gtest/gtest.h>

#include "settings/row_value.h"

namespace oriwen {
namespace {

TEST(SettingsNumbers, TextBecomesTheLeadingNumberTruncatedTowardZero) {
  struct Case {
    const char* text;
    std::int32_t integer;
    std::int32_t boolean;
  } cases[] = {
      {"15", 15, 0},
      {"1", 1, 1},
      {"1.0", 1, 1},
      {"1.00000001", 1, 1},
      {"1.001", 1, 0},
      {"0.9999999999", 0, 1},
      {"2", 2, 0},
      {"", 0, 0},
      {"abc", 0, 0},
      {"  42xyz", 42, 0},
      {"-3.9", -3, 0},
      {"+7", 7, 0},
      {"1e1", 10, 0},
      {"9e99", 2147483647, 0},
      {"-9e99", -2147483647 - 1, 0},
      {".5", 0, 0},
      {"-", 0, 0},
      {"1e", 1, 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextToInteger(c.text), c.integer) << '"' << c.text << '"';
    EXPECT_EQ(TextToBoolean(c.text), c.boolean) << '"' << c.text << '"';
  }
}

TEST(RowValue, PiecesBecomeCodesWithTheFileRulesForEmptyPieces) {
  using V = std::vector<std::int32_t>;
  EXPECT_EQ(ParseRowValue(""), V{});
  EXPECT_EQ(ParseRowValue("81,87,,69,"), (V{81, 87, 0, 69}));
  EXPECT_EQ(ParseRowValue(",1"), (V{0, 1}));
  EXPECT_EQ(ParseRowValue(","), (V{0}));
  EXPECT_EQ(ParseRowValue("-13,13"), (V{-13, 13}));
  EXPECT_EQ(ParseRowValue("x,2.7"), (V{0, 2}));
}

TEST(RowValue, KeepsAtMost35Keys) {
  std::string text;
  for (int i = 1; i <= 40; ++i) text += std::to_string(i) + ",";
  auto codes = ParseRowValue(text);
  ASSERT_EQ(codes.size(), 35u);
  EXPECT_EQ(codes.front(), 1);
  EXPECT_EQ(codes.back(), 35);
}

}  // namespace
}  // namespace oriwen
