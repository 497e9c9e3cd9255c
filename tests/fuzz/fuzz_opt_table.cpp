// Feeds arbitrary bytes to the optimization table file reader (".opt"): the
// table keeps its size, the number of diets stays in range, a refused file
// changes nothing and what was read can be written out again.
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzFile.h"
#include "app/OptimizationForm.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ScratchFile file("opt", ".opt");
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
  Grid back(kOptTableRows, kOptTableCols);
  if (!ReadOptTableFile(written, back, target, diets)) std::abort();
  return 0;
}
