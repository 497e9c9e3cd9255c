// Feeds arbitrary bytes to the temperature file reader and the window that
// shows the profile; the profile holds 25 entries and what is written of it
// reads back whole.
#include <cstdlib>
#include <string>

#include "FuzzFile.h"
#include "model/TemperatureForm.h"
#include "model/Temperatures.h"
#include "platform/TextFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ScratchFile file("temps", ".stg");
  const ScratchFile againFile("temps", ".again.stg");
  if (!file.Write(data, size)) return 0;
  const std::string& path = file.Path();
  const std::string& again = againFile.Path();

  TemperatureProfile profile;
  const TemperatureLoad load = ReadTemperatureFile(path, profile);
  if (load.numbers < 0 || load.numbers > 2 * kTempEntries) std::abort();

  if (!TextFile::WriteLines(again, TemperatureFileLines(profile)).ok) return 0;
  TemperatureProfile back;
  const TemperatureLoad reread = ReadTemperatureFile(again, back);
  if (reread.numbers != 2 * kTempFileLines || reread.skippedLines != 0) std::abort();

  TemperatureForm window;
  window.Open(std::string(reinterpret_cast<const char*>(data), size < 12 ? size : 12), profile);
  window.TakeTemperatures(profile);
  return 0;
}
