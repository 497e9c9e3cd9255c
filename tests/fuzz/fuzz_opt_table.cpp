// Feeds arbitrary bytes to the optimization table file reader (".opt"), then
// writes what was read and reads that again: the table keeps its size, the
// number of diets stays in range and the values survive the round trip.
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "app/OptimizationForm.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"

namespace {

// Every field is written again as it was, or as another text of the same
// number; a value too large for a double is written as "Inf", which then
// reads as 0.
bool SameTable(const std::vector<std::string>& a, const std::vector<std::string>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    std::istringstream x(a[i] + '\t');  // so that an empty last field counts
    std::istringstream y(b[i] + '\t');
    std::string fx;
    std::string fy;
    while (std::getline(x, fx, '\t')) {
      if (!std::getline(y, fy, '\t')) return false;
      if (fx != fy && ReadNumber(fx) != ReadNumber(fy) && fx.find("Inf") == std::string::npos)
        return false;
    }
    if (std::getline(y, fy, '\t')) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ScratchFile file("opt", ".opt");
  const ScratchFile againFile("opt", ".again.opt");
  if (!file.Write(data, size)) return 0;
  const auto lines = TextFile::ReadLines(file.Path());
  if (!lines) return 0;

  Grid table(kOptTableRows, kOptTableCols);
  std::string target = "25";
  std::string diets = "3";
  if (!ReadOptTableFile(*lines, table, target, diets)) {
    // A refused file changes nothing.
    if (target != "25" || diets != "3") std::abort();
    return 0;
  }
  if (table.Rows() != kOptTableRows || table.Cols() != kOptTableCols) std::abort();
  const int count = ReadInteger(diets);
  if (count < 0 || count > kMaxDiets) std::abort();

  const std::vector<std::string> written = OptTableFileLines(table, target, diets);
  if (!TextFile::WriteLines(againFile.Path(), written).ok) return 0;
  const auto again = TextFile::ReadLines(againFile.Path());
  Grid back(kOptTableRows, kOptTableCols);
  if (!again || !ReadOptTableFile(*again, back, target, diets)) std::abort();
  if (!SameTable(written, OptTableFileLines(back, target, diets))) std::abort();
  return 0;
}
