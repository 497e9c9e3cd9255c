#pragma once

#include "model/GlobalPig.h"
#include "platform/Dialogs.h"
#include "platform/Grid.h"

// The one context of a running program: it owns the model state and the
// tables, and holds the way to talk to the user. `main` makes one; every
// test makes its own.
class App {
 public:
  static constexpr int kResultRows = 200;
  static constexpr int kResultCols = 14;

  explicit App(Dialogs& dialogs);

  Dialogs& dialogs;
  GlobalPig pig;
  Grid Grid1{kResultRows, kResultCols};  // daily growth results
};
