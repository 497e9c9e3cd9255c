// Feeds arbitrary bytes to the matrix file reader, then writes the tables
// back out: every count and index must stay inside the tables.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "formulation/Matrix.h"
#include "platform/Dialogs.h"

namespace {

class SilentDialogs : public Dialogs {
 public:
  Answer Message(std::string_view, Buttons, std::string_view) override { return Answer::OK; }
  std::string Input(std::string_view, std::string_view, std::string_view) override { return {}; }
  std::string OpenFile(const FileRequest& request) override { return request.fileName; }
  std::string SaveFile(const FileRequest& request) override { return request.fileName; }
  void SetClipboard(std::string_view) override {}
  std::string Clipboard() override { return {}; }
  void ClearClipboard() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/fuzz_matrix_" + std::to_string(::getpid()) + ".txt";
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  SilentDialogs dialogs;
  auto tables = std::make_unique<FormulationTables>();
  ReadMatrixFile(*tables, path, dialogs);
  if (tables->IngCount < 0 || tables->IngCount > kMaxIngredients || tables->NutCount < 0 ||
      tables->NutCount > kMaxNutrientRows)
    __builtin_trap();
  std::vector<std::string> lines = MatrixFileLines(*tables);
  if (lines.empty()) __builtin_trap();
  return 0;
}
