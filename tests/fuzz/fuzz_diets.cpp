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
  DietFill(diets);
  GlobalPig pig;
  const DietsLoad load = ReadDietsFile(path, diets, pig);
  if (pig.NumDiets < 0 || pig.NumDiets > kMaxDiets || load.numDiets != pig.NumDiets) std::abort();
  if (diets.Rows() != kDietsRows || diets.Cols() != kDietsCols) std::abort();

  // What was loaded is written and loaded again as the same table.
  if (!TextFile::WriteLines(again, DietsFileLines(diets, pig.NumDiets)).ok) return 0;
  Grid back(kDietsRows, kDietsCols);
  GlobalPig pig2;
  ReadDietsFile(again, back, pig2);
  if (pig2.NumDiets != pig.NumDiets) std::abort();
  for (int c = 1; c <= pig.NumDiets; ++c) {
    for (int r = 3; r <= kDietRecords; ++r) {
      if (back.Text(r, c) != diets.Text(r, c)) std::abort();
    }
  }
  TakeDietsFromTable(diets, pig);
  return 0;
}
