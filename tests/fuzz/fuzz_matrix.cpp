// Feeds arbitrary bytes to the matrix file reader, then writes the tables
// back out: every count and index must stay inside the tables.
#include <memory>
#include <string>

#include "FuzzFile.h"
#include "formulation/Matrix.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ScratchFile file("matrix", ".txt");
  if (!file.Write(data, size)) return 0;
  const std::string& path = file.Path();

  SilentDialogs dialogs;
  auto tables = std::make_unique<FormulationTables>();
  ReadMatrixFile(*tables, path, dialogs);
  if (tables->ingredientCount < 0 || tables->ingredientCount > kMaxIngredients ||
      tables->nutrientCount < 0 || tables->nutrientCount > kMaxNutrientRows)
    __builtin_trap();
  std::vector<std::string> lines = MatrixFileLines(*tables);
  if (lines.empty()) __builtin_trap();
  return 0;
}
