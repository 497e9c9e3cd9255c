#include "cli/CliSearchStages.h"

#include "cli/CliOutput.h"
#include "platform/NumberFormat.h"

void PrintSearchStages(const std::string& scoreCaption,
                       const std::string& countCaption,
                       const SearchStageFigures& classic,
                       const SearchStageFigures* thorough,
                       Precision precision,
                       bool comma) {
  PrintRow({"Search", scoreCaption, countCaption, "Seconds"});
  auto row = [&](const std::string& caption, const SearchStageFigures& f) {
    PrintRow({caption,
              NumberCell(precision, f.score, NumberText(f.score, comma)),
              std::to_string(f.evaluations),
              NumberCell(precision, f.seconds, ShortNumberText(f.seconds, comma))});
  };
  row("Classic", classic);
  if (thorough) row("Thorough", *thorough);
  EndBlock();
}
