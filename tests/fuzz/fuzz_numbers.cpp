// Feeds arbitrary bytes to the number reader and the display formats: a text
// reads the same with a decimal comma as with a point, and every shown value
// reads back within the places its format shows.
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "formulation/Matrix.h"
#include "platform/NumberFormat.h"

namespace {

// Places after the point a display format shows for magnitudes up to 9.999,
// 99.99, 999.9 and beyond.
int Places(double value, std::array<int, 4> places) {
  const double a = std::fabs(value);
  if (a > 999.9) return places[3];
  if (a > 99.99) return places[2];
  return a > 9.999 ? places[1] : places[0];
}

// The shown text must read back within half its last place (15 significant
// digits are kept before rounding, hence the relative part). The largest
// doubles round to 1.79769313486232e308, beyond the range: they read back as
// an infinity.
void CheckReadsBack(double value, const std::string& shown, int places) {
  if (!(std::fabs(value) < 1.79769313486231e308)) return;
  const double back = ReadNumber(shown);
  const double slack = 0.5 * std::pow(10.0, -places) * (1 + 1e-9) + 1e-14 * std::fabs(value);
  if (!(std::fabs(back - value) <= slack)) std::abort();
}

void CheckFormats(double value) {
  const int places = std::fabs(value) < 0.1 ? 6 : Places(value, {4, 3, 2, 1});
  CheckReadsBack(value, NumberText(value), places);
  CheckReadsBack(value, FileNumberText(value), places);
  CheckReadsBack(value, ShortNumberText(value), Places(value, {3, 2, 1, 0}));
  CheckReadsBack(value, BriefNumberText(value), Places(value, {2, 1, 0, 0}));
  // The comma form differs from the point form only in its separator.
  std::string comma = NumberText(value, true);
  if (CommaToPoint(comma) != NumberText(value)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const double read = ReadNumber(text);
  if (std::isnan(read)) std::abort();
  std::string pointed(text);
  if (ReadNumber(CommaToPoint(pointed)) != read) std::abort();
  ReadInteger(text);
  ParseLeadingNumber(text);
  LocalNumberText(text, true);
  LocalNumberText(text, false);
  if (FieldCount(text, text.substr(0, size % 3)) > static_cast<int>(size)) std::abort();
  CheckFormats(read);

  // Any bit pattern as a value (infinities, NaN, subnormals), shown with a
  // pattern taken from the text.
  if (size >= sizeof(double)) {
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    CheckFormats(value);
    const std::string_view pattern = text.substr(sizeof(double), 48);
    // A pattern with no "0" before the point shows a value that rounds to
    // zero as nothing; at most a sign, 309 digits, the point and 40 places.
    if (FormatNumber(value, pattern, size % 2 == 1).size() > 351) std::abort();
  }
  return 0;
}
