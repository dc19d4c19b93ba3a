#include "script/number_text.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace quillon::script {
namespace {

TEST(ShortestText, PrintsTheValuesAScriptSees) {
  EXPECT_EQ(ShortestText(0), "0");
  EXPECT_EQ(ShortestText(1), "1");
  EXPECT_EQ(ShortestText(100), "100");
  EXPECT_EQ(ShortestText(37), "37");
  EXPECT_EQ(ShortestText(-12), "-12");
  EXPECT_EQ(ShortestText(0.5), "0.5");
  EXPECT_EQ(ShortestText(0.1), "0.1");
  EXPECT_EQ(ShortestText(2.75), "2.75");
  EXPECT_EQ(ShortestText(1.0 / 3), "0.3333333333333333");
  EXPECT_EQ(ShortestText(1e20), "1e+20");
  EXPECT_EQ(ShortestText(21899647263916318720.0), "21899647263916318720");
  EXPECT_EQ(ShortestText(123456), "123456");
  EXPECT_EQ(ShortestText(0.0001), "1e-04");
  EXPECT_EQ(ShortestText(0.00012), "0.00012");
  EXPECT_EQ(ShortestText(0.00001), "1e-05");
  EXPECT_EQ(ShortestText(-0.0), "-0");
  EXPECT_EQ(ShortestText(std::numeric_limits<double>::infinity()), "inf");
}

// The standard library's own shortest form is the reference, where the library has it.
std::string Standard(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

TEST(ShortestText, WritesWhatTheStandardLibraryWritesForAnyDouble) {
  std::mt19937_64 random(20261207);
  for (int i = 0; i < 200000; ++i) {
    const double value = std::bit_cast<double>(random());
    if (value != value) continue;  // NaN payloads print alike but need no check here
    ASSERT_EQ(ShortestText(value), Standard(value)) << "bits " << std::bit_cast<std::uint64_t>(value);
  }
  for (int i = 0; i < 100000; ++i) {
    // Values of the sizes a game holds: whole numbers, halves, small fractions.
    const double value = double(std::int64_t(random() % 2000001) - 1000000) / double(1 + random() % 1000);
    ASSERT_EQ(ShortestText(value), Standard(value)) << value;
  }
  for (const double value : {std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
                             std::numeric_limits<double>::denorm_min(), 9007199254740993.0, 1e15,
                             1e16, 1e17, 123456789012345680000.0, 5e-324}) {
    EXPECT_EQ(ShortestText(value), Standard(value)) << value;
  }
}

}  // namespace
}  // namespace quillon::script
