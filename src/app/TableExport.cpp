#include "app/TableExport.h"

#include <algorithm>

#include "app/StatusTexts.h"
#include "platform/Grid.h"
#include "platform/Location.h"
#include "platform/SaveProtocol.h"

namespace {

constexpr const char* kExportProcedure = "ExportTable";

std::string CsvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

// How many of the leading rows (or columns) hold text.
template <typename HasText>
std::size_t UsedCount(const std::vector<int>& indexes, HasText hasText) {
  std::size_t used = 0;
  for (std::size_t k = 0; k < indexes.size(); ++k)
    if (hasText(indexes[k])) used = k + 1;
  return used;
}

}  // namespace

std::vector<std::string> TableLines(const Grid& grid,
                                    const TableFace& face,
                                    const std::vector<int>& rows,
                                    const std::vector<int>& cols,
                                    TableFormat format) {
  auto rowHasText = [&](int row) {
    return std::any_of(
        cols.begin(), cols.end(), [&](int col) { return !grid.Text(row, col).empty(); });
  };
  auto colHasText = [&](int col) {
    return std::any_of(
        rows.begin(), rows.end(), [&](int row) { return !grid.Text(row, col).empty(); });
  };
  const std::size_t usedRows = UsedCount(rows, rowHasText);
  const std::size_t usedCols = UsedCount(cols, colHasText);
  std::vector<std::string> lines;
  for (std::size_t r = 0; r < usedRows; ++r) {
    if (!rowHasText(rows[r])) continue;  // a heading row without headings
    std::string line;
    for (std::size_t c = 0; c < usedCols; ++c) {
      if (c > 0) line += format == TableFormat::Csv ? ',' : '\t';
      const std::string text = ShownText(grid, face, rows[r], cols[c]);
      line += format == TableFormat::Csv ? CsvField(text) : text;
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

TableTarget ChooseTableTarget(Dialogs& dialogs, const std::string& folder) {
  const FileRequest request{"Export Table",
                            folder,
                            "Comma-separated values (*.csv);;Tab-separated text (*.txt *.tsv)",
                            ".csv",
                            "*.csv"};
  TableTarget target;
  const std::string answer = dialogs.SaveFile(request);
  target.path = ChosenSavePath(answer, request);
  if (target.path.empty() || IsPattern(target.path)) return {};
  if (HasEnding(target.path, ".txt") || HasEnding(target.path, ".tsv")) {
    target.format = TableFormat::Tabs;
  } else if (!HasEnding(target.path, ".csv")) {
    target.path += ".csv";
  }
  return target;
}

std::string ExportTable(Dialogs& dialogs,
                        const TableTarget& target,
                        const std::vector<std::string>& lines) {
  if (!WriteFileOrReport(dialogs, target.path, lines, kExportProcedure))
    return ErrorText(kErrPathFileAccess, kDescPathFileAccess, kExportProcedure);
  return ExportedStatus(static_cast<int>(lines.size()), target.path);
}
