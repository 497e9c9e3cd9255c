// Command line: tab-separated output.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/CliOptions.h"

// Tab-separated rows on standard output.
void PrintRow(const std::vector<std::string>& cells);
// The empty line between blocks.
void EndBlock();

// A number at full double precision, with a point whatever the locale.
std::string FullNumber(double value);

// The number as the table shows it (`shown`), or in full; an empty cell
// stays empty either way.
std::string NumberCell(Precision precision, double value, const std::string& shown);
