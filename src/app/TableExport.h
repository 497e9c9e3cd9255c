#pragma once

#include <string>
#include <vector>

#include "app/TableFace.h"
#include "platform/Dialogs.h"

class Grid;

// "Export Table...": the table the user worked in last, written to a file as
// comma-separated values or as the tab-separated text the clipboard carries
// for a spreadsheet's paste. Its cells are written as the table shows them
// (TableFace), headings included.

enum class TableFormat { Csv, Tabs };

// The cells of the rows and columns a view shows, in its order, as a text of
// lines: CSV (a field with a comma, a quote or a line break is quoted, its
// quotes doubled) or tab-separated. Rows without text, and columns past
// the last that holds text, are left out.
std::vector<std::string> TableLines(const Grid& grid,
                                    const TableFace& face,
                                    const std::vector<int>& rows,
                                    const std::vector<int>& cols,
                                    TableFormat format);

struct TableTarget {
  std::string path;  // "": the dialog was cancelled
  TableFormat format = TableFormat::Csv;
};

// Asks where to write, starting in the location's folder: ".txt" (or
// ".tsv") gives the tab-separated text, anything else CSV (".csv" added to
// a name without an ending).
TableTarget ChooseTableTarget(Dialogs& dialogs, const std::string& folder);

// Writes the lines (whole or not at all); what the status bar then says,
// or, when the file could not be written, what the message box said.
std::string ExportTable(Dialogs& dialogs,
                        const TableTarget& target,
                        const std::vector<std::string>& lines);
