// Platform: number formats, the lenient number reader, decimal commas.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The shared number rules: display patterns, a lenient reader that accepts a
// decimal comma, and converters between the machine's separator and the
// period the data files use.

// Renders `value` with a classic format pattern such as "0.###0", "##.##0",
// "###.0" or "####": round half away from zero to the places after the point;
// after the point every place up to the last "0" is shown and further "#"
// places only while they are not trailing zeros; before the point "0" forces
// a digit and "#" shows only significant digits; no point when no place after
// it is shown; no sign on a value that rounds to zero. The separator is a
// comma when `decimalComma` is set. A value that is not finite shows as
// "NaN", "Inf" or "-Inf". Short results need no allocation.
std::string FormatNumber(double value, std::string_view pattern, bool decimalComma = false);

// Magnitude-dependent display formats of the tables.
std::string NumberText(double value, bool decimalComma = false);
std::string ShortNumberText(double value, bool decimalComma = false);
std::string BriefNumberText(double value, bool decimalComma = false);

// Replaces the first comma of `text` by a period, in place; returns it.
std::string& CommaToPoint(std::string& text);

// The leading number of a text after its first comma becomes a period;
// blanks before it are skipped; an empty or non-numeric text gives 0 (so do
// "inf", "nan" and hex texts); a number too large for a double gives an
// infinity of its sign. The machine's locale plays no part.
double ReadNumber(std::string_view text);

// The leading number rounded to the nearest integer, halves to even; no comma
// conversion. Values beyond the 16-bit range give its nearer end.
std::int16_t ReadInteger(std::string_view text);

// A number text turned to the machine's decimal separator.
std::string LocalNumberText(std::string_view text, bool decimalComma);

// Number of separators in `text` (fields - 1); 0 when `separator` is empty.
int FieldCount(std::string_view text, std::string_view separator);

// True when the user's locale writes decimal numbers with a comma.
bool DetectDecimalComma();
