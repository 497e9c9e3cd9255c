// Command line: the search stages as a block of rows.
#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "platform/GlobalSearch.h"

// The classic search and the thorough stage after it side by side, as a
// block: "Search", the score's caption, the count's caption, "Seconds"; the
// thorough row only when the stage ran.
void PrintSearchStages(const std::string& scoreCaption,
                       const std::string& countCaption,
                       const SearchStageFigures& classic,
                       const SearchStageFigures* thorough,
                       Precision precision,
                       bool comma);
