// Feeds arbitrary bytes to the restriction readers (as both the ingredient
// and the nutrient file), then writes the files and the summary back out.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "formulation/Restrictions.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"

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

bool Write(const std::string& path, const std::uint8_t* data, std::size_t size) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::fwrite(data, 1, size, file);
  return std::fclose(file) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string base = "/tmp/fuzz_restrict_" + std::to_string(::getpid());
  const std::string ing = base + "Req.ing";
  if (!Write(ing, data, size) || !Write(base + "Req.nut", data, size)) return 0;

  SilentDialogs dialogs;
  auto tables = std::make_unique<FormulationTables>();
  tables->IngCount = static_cast<std::int16_t>(size % (kMaxIngredients + 1));
  tables->NutCount = static_cast<std::int32_t>(size % (kMaxNutrientRows + 1));
  std::string nut;
  std::int16_t feedChoice = kFeedNotChosen;
  LoadRestrictions(*tables, dialogs, ing, nut, feedChoice);
  LoadNutRestrictions(*tables, dialogs, nut, feedChoice);
  if (tables->IngCount < 0 || tables->IngCount > kMaxIngredients || tables->NutCount < 0 ||
      tables->NutCount > kMaxNutrientRows)
    __builtin_trap();

  for (const std::string& line : TextFile::SplitLines(std::string(data, data + size)))
    ParseRestrictionLine(line);
  for (int diets = 0; diets <= kMaxDiets; diets += 4) {
    IngRestrictionLines(*tables, diets);
    NutRestrictionLines(*tables, diets);
  }
  RestrictSummaryLines(*tables);
  return 0;
}
