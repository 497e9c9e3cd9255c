// Feeds arbitrary bytes to the ".plt" and ".cal" readers: every count, code
// and row must stay inside the calibration data and the coefficient table.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "calibration/CalibrationData.h"
#include "platform/Dialogs.h"
#include "platform/TextFile.h"

namespace {

class SilentDialogs : public Dialogs {
 public:
  Answer Message(std::string_view, Buttons, std::string_view) override { return Answer::OK; }
  std::string Input(std::string_view, std::string_view, std::string_view) override { return {}; }
  std::string OpenFile(const FileRequest& request) override { return request.fileName; }
  std::string SaveFile(const FileRequest& request) override { return request.fileName; }
  void SetClipboard(std::string_view) override {}
  std::string Clipboard() override { return {}; }
  void ClearClipboard() override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/fuzz_calib_" + std::to_string(::getpid());
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);

  SilentDialogs dialogs;
  GlobalPig pig;
  CalibrationData calib;
  Grid coefTable(6, 7);
  LoadCalibrationFile(path, pig, calib, coefTable, dialogs);
  if (pig.HerdSex < -1 || pig.HerdSex > 2) std::abort();
  if (pig.UnitCodes[0] < 0 || pig.UnitCodes[0] > 4 || pig.UnitCodes[1] < 0 ||
      pig.UnitCodes[1] > 2 || pig.UnitCodes[2] < 0 || pig.UnitCodes[2] > 4)
    std::abort();
  PltFileLines(PltFromState(coefTable, calib, pig), PltStyle::Saved);
  PltFileLines(PltFromState(coefTable, calib, pig), PltStyle::Fitted);

  const CalRowsLoad rows = LoadCalibrationRows(path, calib);
  if (rows.rows < 0 || rows.rows > kMaxCalibRows) std::abort();
  const int withWeight = RowsWithWeight(calib);
  if (withWeight < 0 || withWeight > kMaxCalibRows) std::abort();
  CalibrationRowLines(calib, rows.rows);
  return 0;
}
