#include "app/App.h"

#include "app/NumberFormat.h"

App::App(Dialogs& dialogs) : dialogs(dialogs) { pig.DecimalComma = DetectDecimalComma(); }
