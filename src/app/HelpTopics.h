#pragma once

#include <span>
#include <string_view>

#include "app/MainForm.h"

// The program's help, shown in its help window: "Getting Started" (from an
// empty location to an optimized diet) and a section for each window, which
// F1 in that window opens. Each section's text is Markdown.

enum class HelpSection {
  GettingStarted,
  MainWindow,
  Files,
  Restrictions,
  MatrixEditor,
  DietDisplayForm,
  Sources,
  Calibration,
  CalibrationTest,
  Optimization,
  OptimizationReport,
  ChangeTracking,
  Temperatures,
  Units,
  FinishingReport,
};

struct HelpTopic {
  HelpSection section;
  std::string_view title;
  std::string_view text;  // Markdown
};

// Every section, "Getting Started" first.
std::span<const HelpTopic> HelpTopics();
const HelpTopic& HelpTopicOf(HelpSection section);

// The section of a window of the program (the main window for None).
HelpSection HelpSectionOf(MainForm::Window window);
