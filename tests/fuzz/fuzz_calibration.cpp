// Feeds arbitrary bytes to the ".plt" and ".cal" readers: every count, code
// and row must stay inside the calibration data and the coefficient table.
#include <cstdlib>
#include <string>

#include "FuzzFile.h"
#include "calibration/CalibrationData.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ScratchFile file("calib", "");
  if (!file.Write(data, size)) return 0;
  const std::string& path = file.Path();

  SilentDialogs dialogs;
  GrowthState growth;
  CalibrationData calib;
  Grid coefTable(6, 7);
  LoadCalibrationFile(path, growth, calib, coefTable, dialogs);
  if (growth.herdSex < -1 || growth.herdSex > 2) std::abort();
  if (growth.unitCodes[0] < 0 || growth.unitCodes[0] > 4 || growth.unitCodes[1] < 0 ||
      growth.unitCodes[1] > 2 || growth.unitCodes[2] < 0 || growth.unitCodes[2] > 4)
    std::abort();
  PltFileLines(PltFromState(coefTable, calib, growth), PltStyle::Saved);
  PltFileLines(PltFromState(coefTable, calib, growth), PltStyle::Fitted);

  const CalRowsLoad rows = LoadCalibrationRows(path, calib);
  if (rows.rows < 0 || rows.rows > kMaxCalibRows) std::abort();
  const int withWeight = RowsWithWeight(calib);
  if (withWeight < 0 || withWeight > kMaxCalibRows) std::abort();
  CalibrationRowLines(calib, rows.rows);
  return 0;
}
