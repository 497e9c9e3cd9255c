#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/NumberFormat.h"

namespace {

struct PatternCase {
  double value;
  const char* pattern;
  const char* expected;
};

TEST(NumberFormatTest, PatternsRenderClassically) {
  const PatternCase cases[] = {
      // "#" before the point shows only significant digits.
      {0.5, "###.00000", ".50000"},
      {12.5, "###.00000", "12.50000"},
      // "#" places after the last "0" only while not trailing zeros.
      {0.05, "0.######", "0.05"},
      {0.1234567, "0.######", "0.123457"},
      {0.0000004, "0.######", "0"},
      {1.5, "0.###0", "1.5000"},
      {1.23456, "0.###0", "1.2346"},
      {12.5, "##.##0", "12.500"},
      {123.456, "###.#0", "123.46"},
      {1234.56, "####.0", "1234.6"},
      {12345.6, "#####.0", "12345.6"},
      {123456.7, "#####.0", "123456.7"},  // digits beyond the pattern are kept
      {0, "0", "0"},
      {7.6, "0", "8"},
      {0.6, "0", "1"},  // rounding at the first significant digit
      // Patterns of the growth model.
      {0.5, "#0.0##", "0.5"},
      {0.5678, "#0.0##", "0.568"},
      {12, "#0.0##", "12.0"},
      {3.25, "##.0", "3.3"},
      {12, "###.#", "12"},  // no point when no place is shown
      {12.34, "###.#", "12.3"},
      {0.04, "###.#", ""},
      {512.04, "####.0", "512.0"},
      {1.5, "###.00#", "1.50"},
      {1.5005, "###.00#", "1.501"},
      {1.2, "######.0#", "1.2"},
      {1.234, "######.0#", "1.23"},
      // Rounding half away from zero on the shown decimal value.
      {0.125, "0.00", "0.13"},
      {-0.125, "0.00", "-0.13"},
      {2.675, "0.00", "2.68"},
      {2.5, "0", "3"},
      {-2.5, "0", "-3"},
      {9.99996, "0.###0", "10.0000"},
      {99.999, "##.0", "100.0"},
      // No sign on a value that rounds to zero.
      {-0.00001, "0.###0", "0.0000"},
      {-0.4, "###", ""},
      {-0.4, "0", "0"},
      {-0.0, "0.0", "0.0"},
      {-12.5, "##.##0", "-12.500"},
      // Huge and tiny values.
      {1e20, "####", "100000000000000000000"},
      {1e-20, "0.######", "0"},
      // Values that are not finite are named.
      {std::nan(""), "0.00", "NaN"},
      {HUGE_VAL, "0.00", "Inf"},
      {-HUGE_VAL, "0.00", "-Inf"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.pattern) + " of " + std::to_string(c.value));
    EXPECT_EQ(FormatNumber(c.value, c.pattern), c.expected);
  }
}

struct DisplayCase {
  double value;
  const char* number;  // NumberText
  const char* shortText;
  const char* brief;
};

TEST(NumberFormatTest, DisplayFormatsFollowMagnitude) {
  const DisplayCase cases[] = {
      {0, "0", "0", "0"},
      {0.05, "0.05", "0.050", "0.05"},          // below 0.1: "0.######"
      {0.0999999, "0.1", "0.100", "0.10"},      // still below 0.1
      {0.1, "0.1000", "0.100", "0.10"},         // default patterns
      {1.5, "1.5000", "1.500", "1.50"},         //
      {9.999, "9.9990", "9.999", "10.00"},      // 9.999 itself keeps the default
      {10, "10.000", "10.00", "10.0"},          // > 9.999
      {99.99, "99.990", "99.99", "100.0"},      // 99.99 keeps the previous
      {100, "100.00", "100.0", "100"},          // > 99.99
      {999.9, "999.90", "999.9", "1000"},       // 999.9 keeps the previous
      {1000, "1000.0", "1000", "1000"},         // > 999.9
      {9999, "9999.0", "9999", "9999"},         // 9999 keeps the previous
      {12345.67, "12345.7", "12346", "12346"},  // > 9999
      {-0.05, "-0.05", "-0.050", "-0.05"},
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
  EXPECT_EQ(NumberText(0.05, true), "0,05");
  EXPECT_EQ(ShortNumberText(123.45, true), "123,5");
  EXPECT_EQ(BriefNumberText(2.5, true), "2,50");
  EXPECT_EQ(NumberText(0, true), "0");
  EXPECT_EQ(ShortNumberText(1000, true), "1000");
  EXPECT_EQ(FormatNumber(0.5, "###.00000", true), ",50000");
}

TEST(NumberFormatTest, CommaToPointChangesOnlyTheFirstComma) {
  std::string text = "1,5,6";
  EXPECT_EQ(&CommaToPoint(text), &text);
  EXPECT_EQ(text, "1.5,6");
  std::string plain = "2.5";
  EXPECT_EQ(CommaToPoint(plain), "2.5");
}

TEST(NumberFormatTest, ReadNumberTakesTheLeadingNumber) {
  const struct {
    const char* text;
    double expected;
  } cases[] = {
      {"1,5", 1.5},
      {"1.5", 1.5},
      {"", 0},
      {"abc", 0},
      {"  42", 42},
      {"\t-3.5", -3.5},
      {"+7", 7},
      {"12kg", 12},
      {"1.5.3", 1.5},
      {"1,5,3", 1.5},
      {"1.234,5", 1.234},
      {"2e3", 2000},
      {"2E-2", 0.02},
      {"2e", 2},
      {".5", 0.5},
      {"-.5", -0.5},
      {"5.", 5},
      {"inf", 0},
      {"nan", 0},
      {"0x10", 0},
      {"-", 0},
      {".", 0},
      {"1 2", 1},
      {"1e-999", 0},
      {"1e999", HUGE_VAL},
      {"-1e999", -HUGE_VAL},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadNumber(c.text), c.expected);
  }
  const std::string longText = std::string(100, ' ') + "3,25";
  EXPECT_EQ(ReadNumber(longText), 3.25);
  // Leading zeros are no places: 1e-330, too small for a double.
  EXPECT_EQ(ReadNumber(std::string(400, '0') + "1e-330"), 0);
}

TEST(NumberFormatTest, ReadIntegerRoundsHalvesToEven) {
  const struct {
    const char* text;
    int expected;
  } cases[] = {
      {"0.5", 0},
      {"1.5", 2},
      {"2.5", 2},
      {"3.5", 4},
      {"-2.5", -2},
      {"-3.5", -4},
      {"2.4", 2},
      {"2.6", 3},
      {"-2.6", -3},
      {"7", 7},
      {"", 0},
      {"x", 0},
      {"1,5", 1},
      {"40000", 32767},
      {"-40000", -32768},
      {"  12 pigs", 12},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(ReadInteger(c.text), c.expected);
  }
}

TEST(NumberFormatTest, LocalNumberTextTurnsToTheMachineSeparator) {
  const struct {
    const char* text;
    bool decimalComma;
    const char* expected;
  } cases[] = {
      {"1.234,5", false, "1234.5"},
      {"2,5", false, "2.5"},
      {"2.5", false, "2.5"},
      {"2.5", true, "2,5"},
      {"1,234.5", true, "1234,5"},
      {"2,5", true, "2,5"},
      {"12", false, "12"},
      {"", true, ""},
      {"1,5,6", false, "1.5,6"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text) + (c.decimalComma ? " comma" : " point"));
    EXPECT_EQ(LocalNumberText(c.text, c.decimalComma), c.expected);
  }
}

TEST(NumberFormatTest, FieldCountCountsSeparators) {
  EXPECT_EQ(FieldCount("a\tb\tc", "\t"), 2);
  EXPECT_EQ(FieldCount("abc", "\t"), 0);
  EXPECT_EQ(FieldCount("", "\t"), 0);
  EXPECT_EQ(FieldCount("a\tb", ""), 0);
  EXPECT_EQ(FieldCount("a, b, c", ", "), 2);
  EXPECT_EQ(FieldCount("\t\t", "\t"), 2);
}

TEST(NumberFormatTest, DetectDecimalCommaNeverThrows) {
  // The answer depends on the machine; asking must be safe in any locale.
  EXPECT_NO_THROW(DetectDecimalComma());
}

}  // namespace
