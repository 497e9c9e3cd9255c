// Feeds arbitrary bytes to the diets file reader, then writes the table back
// out and reads that again: every diet and row must stay inside the table.
#include <cstdlib>
#include <string>

#include "FuzzFile.h"
#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ScratchFile file("diets", ".dts");
  const ScratchFile againFile("diets", ".again.dts");
  if (!file.Write(data, size)) return 0;
  const std::string& path = file.Path();
  const std::string& again = againFile.Path();

  Grid diets(kDietsRows, kDietsCols);
  FillDietLabels(diets);
  GrowthState growth;
  const DietsLoad load = ReadDietsFile(path, diets, growth);
  if (growth.dietCount < 0 || growth.dietCount > kMaxDiets || load.numDiets != growth.dietCount)
    std::abort();
  if (diets.Rows() != kDietsRows || diets.Cols() != kDietsCols) std::abort();

  // What was loaded is written and loaded again as the same table.
  if (!TextFile::WriteLines(again, DietsFileLines(diets, growth.dietCount)).ok) return 0;
  Grid back(kDietsRows, kDietsCols);
  GrowthState growth2;
  ReadDietsFile(again, back, growth2);
  if (growth2.dietCount != growth.dietCount) std::abort();
  for (int c = 1; c <= growth.dietCount; ++c) {
    for (int r = 3; r <= kDietRecords; ++r) {
      if (back.Text(r, c) != diets.Text(r, c)) std::abort();
    }
  }
  TakeDietsFromTable(diets, growth);
  return 0;
}
