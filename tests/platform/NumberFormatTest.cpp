#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/NumberFormat.h"

namespace {

TEST(NumberFormatTest, PatternsRenderClassically) {
  // "#" before the point shows only significant digits.
  EXPECT_EQ(FormatNumber(0.5, "###.00000"), ".50000");
  // "#" places after the last "0" only while not trailing zeros.
  EXPECT_EQ(FormatNumber(0.1234567, "0.######"), "0.123457");
  EXPECT_EQ(FormatNumber(0.0000004, "0.######"), "0");
  EXPECT_EQ(FormatNumber(1.5, "0.###0"), "1.5000");
  EXPECT_EQ(FormatNumber(1.5, "###.00#"), "1.50");
  EXPECT_EQ(FormatNumber(1.5005, "###.00#"), "1.501");
  EXPECT_EQ(FormatNumber(123456.7, "#####.0"), "123456.7");  // digits beyond the pattern kept
  EXPECT_EQ(FormatNumber(0, "0"), "0");
  EXPECT_EQ(FormatNumber(0.6, "0"), "1");      // rounding at the first significant digit
  EXPECT_EQ(FormatNumber(12, "###.#"), "12");  // no point when no place is shown
  EXPECT_EQ(FormatNumber(0.04, "###.#"), "");
  // Rounding half away from zero on the shown decimal value.
  EXPECT_EQ(FormatNumber(-0.125, "0.00"), "-0.13");
  EXPECT_EQ(FormatNumber(2.675, "0.00"), "2.68");
  EXPECT_EQ(FormatNumber(9.99996, "0.###0"), "10.0000");
  // No sign on a value that rounds to zero.
  EXPECT_EQ(FormatNumber(-0.00001, "0.###0"), "0.0000");
  EXPECT_EQ(FormatNumber(-0.4, "###"), "");
  EXPECT_EQ(FormatNumber(-0.0, "0.0"), "0.0");
  // Huge and tiny values; values that are not finite are named.
  EXPECT_EQ(FormatNumber(1e20, "####"), "100000000000000000000");
  EXPECT_EQ(FormatNumber(1e-20, "0.######"), "0");
  EXPECT_EQ(FormatNumber(1, "0." + std::string(50, '0')), "1." + std::string(40, '0'));
  EXPECT_EQ(FormatNumber(std::nan(""), "0.00"), "NaN");
  EXPECT_EQ(FormatNumber(HUGE_VAL, "0.00"), "Inf");
  EXPECT_EQ(FormatNumber(-HUGE_VAL, "0.00"), "-Inf");
}

// Each display format changes pattern just above 9.999, 99.99, 999.9 and 9999.
TEST(NumberFormatTest, DisplayFormatsFollowMagnitude) {
  const struct {
    double value;
    const char* number;  // NumberText
    const char* shortText;
    const char* brief;
  } cases[] = {
      {0, "0", "0", "0"},
      {0.0999999, "0.1", "0.100", "0.10"},  // below 0.1: "0.######"
      {0.1, "0.1000", "0.100", "0.10"},
      {9.999, "9.9990", "9.999", "10.00"},
      {10, "10.000", "10.00", "10.0"},
      {99.99, "99.990", "99.99", "100.0"},
      {100, "100.00", "100.0", "100"},
      {999.9, "999.90", "999.9", "1000"},
      {1000, "1000.0", "1000", "1000"},
      {9999, "9999.0", "9999", "9999"},
      {12345.67, "12345.7", "12346", "12346"},
      {-1234.5, "-1234.5", "-1235", "-1235"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.value));
    EXPECT_EQ(NumberText(c.value), c.number);
    EXPECT_EQ(ShortNumberText(c.value), c.shortText);
    EXPECT_EQ(BriefNumberText(c.value), c.brief);
  }
}

TEST(NumberFormatTest, DecimalCommaMachinesShowCommas) {
  EXPECT_EQ(NumberText(1.5, true), "1,5000");
  EXPECT_EQ(ShortNumberText(123.45, true), "123,5");
  EXPECT_EQ(BriefNumberText(2.5, true), "2,50");
  EXPECT_EQ(FormatNumber(0.5, "###.00000", true), ",50000");
  // The answer depends on the machine; asking must be safe in any locale.
  EXPECT_NO_THROW(DetectDecimalComma());
}

TEST(NumberFormatTest, ReadNumberTakesTheLeadingNumber) {
  EXPECT_EQ(ReadNumber("1,5"), 1.5);
  EXPECT_EQ(ReadNumber("1.234,5"), 1.234);
  EXPECT_EQ(ReadNumber(std::string(100, ' ') + "3,25"), 3.25);  // longer than a cell
  EXPECT_EQ(ReadNumber("\t-3.5"), -3.5);
  EXPECT_EQ(ReadNumber("+7"), 7);
  EXPECT_EQ(ReadNumber("2e3kg"), 2000);
  EXPECT_EQ(ReadNumber(".5"), 0.5);
  EXPECT_EQ(ReadNumber("-.5"), -0.5);
  // Only digits start a number: "inf", "nan" and hex are not numbers here.
  for (const char* text : {"", "abc", "inf", "-", "."}) EXPECT_EQ(ReadNumber(text), 0) << text;
  EXPECT_EQ(ReadNumber("1e-999"), 0);
  EXPECT_EQ(ReadNumber("1e999"), HUGE_VAL);
  EXPECT_EQ(ReadNumber("-1e999"), -HUGE_VAL);
  // Leading zeros are no places: 1e-330, too small for a double.
  EXPECT_EQ(ReadNumber(std::string(400, '0') + "1e-330"), 0);
}

TEST(NumberFormatTest, ReadIntegerRoundsHalvesToEvenAndClamps) {
  EXPECT_EQ(ReadInteger("1.5"), 2);
  EXPECT_EQ(ReadInteger("2.5"), 2);
  EXPECT_EQ(ReadInteger("-2.5"), -2);
  EXPECT_EQ(ReadInteger("-3.5"), -4);
  EXPECT_EQ(ReadInteger("1,5"), 1);
  EXPECT_EQ(ReadInteger("  12 pigs"), 12);
  EXPECT_EQ(ReadInteger("40000"), 32767);
  EXPECT_EQ(ReadInteger("-40000"), -32768);
}

TEST(NumberFormatTest, LocalNumberTextTurnsToTheMachineSeparator) {
  EXPECT_EQ(LocalNumberText("1.234,5", false), "1234.5");
  EXPECT_EQ(LocalNumberText("2,5", false), "2.5");
  EXPECT_EQ(LocalNumberText("1,5,6", false), "1.5,6");
  EXPECT_EQ(LocalNumberText("2.5", true), "2,5");
  EXPECT_EQ(LocalNumberText("1,234.5", true), "1234,5");
  std::string text = "1,5,6";  // only the first comma changes
  EXPECT_EQ(&CommaToPoint(text), &text);
  EXPECT_EQ(text, "1.5,6");
}

TEST(NumberFormatTest, FieldCountCountsSeparatorsAndStopsWithoutOne) {
  EXPECT_EQ(FieldCount("a\tb\tc", "\t"), 2);
  EXPECT_EQ(FieldCount("abc", "\t"), 0);
}

}  // namespace
