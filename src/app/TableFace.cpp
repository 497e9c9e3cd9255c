#include "app/TableFace.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

#include "platform/Grid.h"
#include "platform/NumberFormat.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeparator(char c) { return c == '.' || c == ','; }

// A whole text of an optional sign, digits, one separator and digits.
bool IsPlainNumber(std::string_view text) {
  std::size_t i = text.empty() || (text[0] != '-' && text[0] != '+') ? 0 : 1;
  int digits = 0;
  bool separator = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      ++digits;
    } else if (IsSeparator(text[i]) && !separator) {
      separator = true;
    } else {
      return false;
    }
  }
  return digits > 0;
}

bool IsHeading(const Grid& grid, int row, int col) {
  return row < grid.FixedRows() || col < grid.FixedCols();
}

}  // namespace

std::string WithUnit(std::string_view heading, std::string_view unit) {
  std::string text(heading);
  std::size_t end = text.find_last_not_of(' ');
  if (unit.empty() || end == std::string::npos) return text;
  text.erase(end + 1);
  // "Weight,Kg" already names its unit.
  if (text.size() >= unit.size() &&
      std::equal(unit.begin(),
                 unit.end(),
                 text.end() - static_cast<std::ptrdiff_t>(unit.size()),
                 [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) ==
                          std::tolower(static_cast<unsigned char>(b));
                 }))
    return std::string(heading);
  return text + ", " + std::string(unit);
}

std::string WithLeadingZero(std::string_view text) {
  const std::size_t sign = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
  if (text.size() < sign + 2 || !IsSeparator(text[sign]) || !IsPlainNumber(text))
    return std::string(text);
  std::string shown(text);
  shown.insert(sign, "0");
  return shown;
}

std::string WithDigits(std::string_view text, int digits) {
  if (digits <= 0 || !IsPlainNumber(text)) return std::string(text);
  const bool comma = text.find(',') != std::string_view::npos;
  const double value = ReadNumber(text);
  if (value == 0) return std::string(text);
  // Places after the point that keep `digits` significant digits.
  const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
  const int places = std::clamp(digits - 1 - magnitude, 0, 15);
  char shown[64];
  std::snprintf(shown, sizeof shown, "%.*f", places, value);
  std::string result(shown);
  if (places > 0) {
    // Trailing zeros say nothing the fit resolved.
    result.erase(result.find_last_not_of('0') + 1);
    if (result.back() == '.') result.pop_back();
  }
  if (comma) std::replace(result.begin(), result.end(), '.', ',');
  return result.size() <= text.size() ? result : std::string(text);
}

std::string ShownText(const Grid& grid, const TableFace& face, int row, int col) {
  std::string text = grid.Text(row, col);
  // A tab inside a text (a heading of "Files in Use") is a gap, not a column.
  for (std::size_t at = text.find('\t'); at != std::string::npos; at = text.find('\t', at))
    text.replace(at, 1, "  ");
  const std::string unit = face.unit ? face.unit(row, col) : std::string();
  if (IsHeading(grid, row, col) || !unit.empty()) return WithUnit(text, unit);
  const int digits = face.digits ? face.digits(row, col) : 0;
  return WithLeadingZero(digits > 0 ? WithDigits(text, digits) : text);
}
