#include "BenchDemo.h"

std::string DemoFile(const std::string& name) {
  return std::string(TAMSEL_SOURCE_DIR) + "/data/demo/" + name;
}

Answer BenchDialogs::Message(std::string_view, Buttons, std::string_view) {
  ++messages;
  return answer_;
}

std::string BenchDialogs::OpenFile(const FileRequest& request) {
  return openDemo_ ? DemoFile("Demo.plt") : request.fileName;
}
