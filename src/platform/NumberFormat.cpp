#include "platform/NumberFormat.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <locale>
#include <string>
#include <string_view>

namespace {

// Significant digits kept before rounding to the pattern's places, as a
// classic number formatter does, so 2.675 with two places shows 2.68.
constexpr int kSignificant = 15;
// A double has at most 309 integer digits; patterns never ask for more
// places than this.
constexpr int kMaxPlaces = 40;
constexpr int kMaxDigits = 310 + kMaxPlaces;

struct PatternShape {
  int minInt = 0;     // integer digits always shown ("0" from the first one on)
  int places = 0;     // places after the point the value is rounded to
  int minPlaces = 0;  // places shown even when they are trailing zeros
};

PatternShape ShapeOf(std::string_view pattern) {
  PatternShape shape;
  const std::size_t point = pattern.find('.');
  const std::string_view intPart = pattern.substr(0, point);
  const std::size_t firstZero = intPart.find('0');
  if (firstZero != std::string_view::npos) {
    int count = 0;
    for (std::size_t i = firstZero; i < intPart.size(); ++i) {
      if (intPart[i] == '0' || intPart[i] == '#') ++count;
    }
    shape.minInt = count;
  }
  if (point != std::string_view::npos) {
    const std::string_view fracPart = pattern.substr(point + 1);
    for (char c : fracPart) {
      if (c == '0' || c == '#') {
        ++shape.places;
        if (c == '0') shape.minPlaces = shape.places;
      }
    }
  }
  if (shape.minInt > kMaxPlaces) shape.minInt = kMaxPlaces;
  if (shape.places > kMaxPlaces) shape.places = kMaxPlaces;
  if (shape.minPlaces > kMaxPlaces) shape.minPlaces = kMaxPlaces;
  return shape;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NaN";
  return value < 0 ? "-Inf" : "Inf";
}

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether a number text that a double cannot hold is too large (rather than
// too small): its decimal magnitude, first digit place plus exponent, is positive.
bool TooLarge(std::string_view number) {
  long place = 0;  // power of ten of the first non-zero digit, before the exponent
  bool found = false;
  bool afterPoint = false;
  std::size_t i = 0;
  for (; i < number.size() && (IsDigit(number[i]) || number[i] == '.'); ++i) {
    if (number[i] == '.') {
      afterPoint = true;
    } else if (!found && number[i] != '0') {
      found = true;
      if (afterPoint) --place;
    } else if (found && !afterPoint) {
      ++place;
    } else if (!found && afterPoint) {
      --place;
    }
  }
  if (i < number.size() && (number[i] == 'e' || number[i] == 'E')) {
    std::string_view exponent = number.substr(i + 1);
    const bool minus = !exponent.empty() && exponent.front() == '-';
    if (!exponent.empty() && (exponent.front() == '+' || minus)) exponent.remove_prefix(1);
    long value = 0;
    const auto [end, ec] =
        std::from_chars(exponent.data(), exponent.data() + exponent.size(), value);
    (void)end;
    if (ec == std::errc::result_out_of_range) return !minus;
    place += minus ? -value : value;
  }
  return place > 0;
}

// The leading number of `text` as standard parsing reads it: blanks skipped,
// an optional sign, digits with at most one point, an optional exponent.
double LeadingNumber(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  // Only digits may start the number: "inf", "nan" and hex are not numbers here.
  const bool startsNumber =
      i < text.size() &&
      (IsDigit(text[i]) || (text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1])));
  if (!startsNumber) return 0.0;
  double value = 0.0;
  const char* first = text.data() + i;
  const auto [end, ec] =
      std::from_chars(first, text.data() + text.size(), value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    value =
        TooLarge(std::string_view(first, static_cast<std::size_t>(end - first))) ? HUGE_VAL : 0.0;
  } else if (ec != std::errc{}) {
    return 0.0;
  }
  return negative ? -value : value;
}

}  // namespace

std::string FormatNumber(double value, std::string_view pattern, bool decimalComma) {
  if (!std::isfinite(value)) return NonFinite(value);
  const PatternShape shape = ShapeOf(pattern);

  // 15 significant digits: "d.dddddddddddddde+XX".
  std::array<char, 32> sci{};
  const auto sciEnd = std::to_chars(
      sci.data(), sci.data() + sci.size(), value, std::chars_format::scientific, kSignificant - 1);
  const char* p = sci.data();
  const bool negative = *p == '-';
  if (negative) ++p;
  std::array<char, kSignificant> sig{};
  sig[0] = p[0];
  for (int k = 1; k < kSignificant; ++k) sig[k] = p[k + 1];
  int exp10 = 0;
  const char* e = p + kSignificant + 1;  // at 'e'
  const char* expStart = e + 1;
  if (*expStart == '+') ++expStart;
  std::from_chars(expStart, sciEnd.ptr, exp10);

  // Fixed digits: nInt integer digits, then shape.places decimals; position i
  // holds the digit of power nInt - 1 - i. The leading slot absorbs a carry.
  const int nInt = exp10 >= 0 ? exp10 + 1 : 1;
  const int total = 1 + nInt + shape.places;
  std::array<char, kMaxDigits + 2> digits;
  digits[0] = '0';
  for (int i = 1; i < total; ++i) {
    const int power = nInt - i;
    const int idx = exp10 - power;
    digits[i] = (idx >= 0 && idx < kSignificant) ? sig[idx] : '0';
  }
  const int roundIdx = exp10 + shape.places + 1;  // digit just below the last place
  if (roundIdx >= 0 && roundIdx < kSignificant && sig[roundIdx] >= '5') {
    for (int i = total - 1; i >= 0; --i) {
      if (digits[i] == '9') {
        digits[i] = '0';
      } else {
        ++digits[i];
        break;
      }
    }
  }

  bool allZero = true;
  for (int i = 0; i < total; ++i) {
    if (digits[i] != '0') {
      allZero = false;
      break;
    }
  }

  const int fracStart = 1 + nInt;
  int shown = shape.places;
  while (shown > shape.minPlaces && digits[fracStart + shown - 1] == '0') --shown;

  // Integer digits: drop leading zeros, keep at least minInt.
  int intFirst = 0;
  while (intFirst < fracStart && digits[intFirst] == '0') ++intFirst;
  int intCount = fracStart - intFirst;

  std::array<char, kMaxDigits + 8> out;
  int n = 0;
  if (negative && !allZero) out[n++] = '-';
  for (int pad = intCount; pad < shape.minInt; ++pad) out[n++] = '0';
  for (int i = intFirst; i < fracStart; ++i) out[n++] = digits[i];
  if (shown > 0) {
    out[n++] = decimalComma ? ',' : '.';
    for (int i = 0; i < shown; ++i) out[n++] = digits[fracStart + i];
  }
  return std::string(out.data(), static_cast<std::size_t>(n));
}

std::string NumberText(double value, bool decimalComma) {
  const double a = std::fabs(value);
  std::string_view pattern = "0.###0";
  if (a < 0.1) pattern = "0.######";
  if (a > 9.999) pattern = "##.##0";
  if (a > 99.99) pattern = "###.#0";
  if (a > 999.9) pattern = "####.0";
  if (a > 9999) pattern = "#####.0";
  if (value == 0) pattern = "0";
  return FormatNumber(value, pattern, decimalComma);
}

std::string ShortNumberText(double value, bool decimalComma) {
  const double a = std::fabs(value);
  std::string_view pattern = "0.##0";
  if (a > 9.999) pattern = "##.#0";
  if (a > 99.99) pattern = "###.0";
  if (a > 999.9) pattern = "####";
  if (value == 0) pattern = "0";
  return FormatNumber(value, pattern, decimalComma);
}

std::string BriefNumberText(double value, bool decimalComma) {
  const double a = std::fabs(value);
  std::string_view pattern = "0.#0";
  if (a > 9.999) pattern = "##.0";
  if (a > 99.99) pattern = "###";
  if (a > 999.9) pattern = "####";
  if (value == 0) pattern = "0";
  return FormatNumber(value, pattern, decimalComma);
}

std::string& CommaToPoint(std::string& text) {
  const std::size_t comma = text.find(',');
  if (comma != std::string::npos) text[comma] = '.';
  return text;
}

double ReadNumber(std::string_view text) {
  const std::size_t comma = text.find(',');
  if (comma == std::string_view::npos) return LeadingNumber(text);
  // The number can only reach up to the comma's place plus what follows it;
  // a local copy keeps short cells free of allocation.
  std::array<char, 64> local;
  if (text.size() <= local.size()) {
    text.copy(local.data(), text.size());
    local[comma] = '.';
    return LeadingNumber(std::string_view(local.data(), text.size()));
  }
  std::string copy(text);
  CommaToPoint(copy);
  return LeadingNumber(copy);
}

std::int16_t ReadInteger(std::string_view text) {
  const double value = LeadingNumber(text);
  double rounded = std::round(value);  // halves away from zero
  if (std::fabs(value - std::trunc(value)) == 0.5 && std::fmod(rounded, 2.0) != 0.0) {
    rounded -= std::copysign(1.0, value);  // halves to even
  }
  // A 16-bit field cannot hold more; clamp rather than wrap.
  constexpr double kLow = std::numeric_limits<std::int16_t>::min();
  constexpr double kHigh = std::numeric_limits<std::int16_t>::max();
  if (rounded < kLow) rounded = kLow;
  if (rounded > kHigh) rounded = kHigh;
  return static_cast<std::int16_t>(rounded);
}

std::string LocalNumberText(std::string_view text, bool decimalComma) {
  std::string result(text);
  const char foreign = decimalComma ? '.' : ',';   // the separator to turn local
  const char grouping = decimalComma ? ',' : '.';  // the other one, dropped once
  const std::size_t foreignPos = result.find(foreign);
  if (foreignPos == std::string::npos) return result;
  const std::size_t groupPos = result.find(grouping);
  if (groupPos != std::string::npos) result.erase(groupPos, 1);
  const std::size_t at = result.find(foreign);
  result[at] = grouping;
  return result;
}

int FieldCount(std::string_view text, std::string_view separator) {
  if (separator.empty()) return 0;
  int count = 0;
  std::size_t pos = text.find(separator);
  while (pos != std::string_view::npos) {
    ++count;
    pos = text.find(separator, pos + separator.size());
  }
  return count;
}

bool DetectDecimalComma() {
  try {
    const std::locale user("");
    return std::use_facet<std::numpunct<char>>(user).decimal_point() == ',';
  } catch (...) {
    return false;
  }
}
