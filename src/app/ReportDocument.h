#pragma once

#include <string>
#include <vector>

#include "app/GrowthChartData.h"

// A report as the program words it: a title, then headings, paragraphs,
// tables and the growth chart in their order. The desktop layer and the
// command line render it on pages; neither adds a word.

struct ReportTable {
  std::vector<std::string> headings;  // the top row; empty: none
  std::vector<std::vector<std::string>> rows;
};

struct ReportBlock {
  enum class Kind {
    Heading,      // text
    Paragraph,    // text
    Facts,        // table: name and value, one pair a row
    Table,        // table: its first column names the rows
    GrowthChart,  // the document's chart
  };
  Kind kind = Kind::Paragraph;
  std::string text;
  ReportTable table;
};

struct ReportDocument {
  std::string title;
  std::string subtitle;
  std::vector<ReportBlock> blocks;
  GrowthChartData chart;  // what a GrowthChart block draws
};
