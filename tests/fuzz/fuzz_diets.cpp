// Feeds arbitrary bytes to the diets file reader: every diet and row must
// stay inside the table, and what was loaded is taken as diets.
#include <cstdlib>
#include <string>

#include "FuzzFile.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ScratchFile file("diets", ".dts");
  if (!file.Write(data, size)) return 0;
  const std::string& path = file.Path();

  Grid diets(kDietsRows, kDietsCols);
  FillDietLabels(diets);
  GrowthState growth;
  const DietsLoad load = ReadDietsFile(path, diets, growth);
  if (growth.dietCount < 0 || growth.dietCount > kMaxDiets || load.numDiets != growth.dietCount)
    std::abort();
  if (diets.Rows() != kDietsRows || diets.Cols() != kDietsCols) std::abort();

  TakeDietsFromTable(diets, growth);
  return 0;
}
