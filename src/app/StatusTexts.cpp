#include "app/StatusTexts.h"

#include "platform/Location.h"
#include "platform/NumberFormat.h"

namespace {

std::string Count(int count, std::string_view one) {
  std::string text = std::to_string(count) + " " + std::string(one);
  if (count != 1) text += "s";
  return text;
}

}  // namespace

std::string GrowthStatus(double finalWeight,
                         std::string_view weightUnit,
                         double finalAge,
                         double costPerPig,
                         bool decimalComma) {
  return "Growth: " + FormatNumber(finalWeight, "0.##", decimalComma) + " " +
         std::string(weightUnit) + " at " + FormatNumber(finalAge, "0.0", decimalComma) +
         " days, cost per pig " + FormatNumber(costPerPig, "0.00", decimalComma);
}

std::string SavedStatus(int files, std::string_view folder) {
  return "Saved " + Count(files, "file") + " to " + std::string(folder);
}

std::string OpenedStatus(std::string_view locationBase, bool loaded) {
  const std::string name = FileNameOf(locationBase);
  const std::string folder = FolderOf(locationBase);
  if (loaded) return "Opened location " + name + " in " + folder;
  return "New location " + name + " in " + folder +
         ": nothing read, the save commands write its files";
}

std::string ExportedStatus(int rows, std::string_view path) {
  return "Exported " + Count(rows, "row") + " to " + std::string(path);
}

std::string ReportWrittenStatus(std::string_view path) {
  return "Wrote the Finishing Report to " + std::string(path);
}

std::string FormulatedStatus(int diets, bool allFormulated) {
  if (!allFormulated) return "Run LP: a diet could not be formulated (see the message)";
  return "Run LP: " + Count(diets, "diet") + " formulated at least cost";
}
