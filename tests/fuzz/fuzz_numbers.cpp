// Feeds arbitrary bytes to the number reader and the display formats: a text
// reads the same with a decimal comma as with a point.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "formulation/Matrix.h"
#include "platform/NumberFormat.h"

namespace {

// Every display format takes any value; the comma form differs from the
// point form only in its separator.
void CheckFormats(double value) {
  NumberText(value);
  FileNumberText(value);
  ShortNumberText(value);
  BriefNumberText(value);
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
