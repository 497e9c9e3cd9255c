#include "cli/CliOutput.h"

#include <cstdio>

void PrintRow(const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t i = 0; i < cells.size(); ++i) {
    if (i > 0) line += '\t';
    line += cells[i];
  }
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), stdout);
}

void EndBlock() { std::fputc('\n', stdout); }

std::string FullNumber(double value) {
  // The program never sets a locale, so printf writes a point.
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", value);
  return text;
}

std::string NumberCell(Precision precision, double value, const std::string& shown) {
  if (precision == Precision::Shown || shown.empty()) return shown;
  return FullNumber(value);
}
