#include "support/TempFiles.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

#include "app/App.h"
#include "support/ScriptedDialogs.h"

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static int count = 0;
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = info ? std::string(info->test_suite_name()) + "." + info->name() : "tamsel";
  for (char& c : name)
    if (c == '/') c = '_';
  path_ = fs::temp_directory_path() /
          ("tamsel-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

std::string TempFolder::Write(const std::string& name, const std::string& text) const {
  const fs::path file = path_ / name;
  std::ofstream out(file, std::ios::binary);
  out << text;
  return file.string();
}

TempDemo::TempDemo() {
  fs::create_directories(path() / "demo");
  for (const auto& entry : fs::directory_iterator(fs::path(TAMSEL_SOURCE_DIR) / "data/demo"))
    fs::copy_file(entry.path(), path() / "demo" / entry.path().filename());
}

void OpenLocation(App& app, ScriptedDialogs& dialogs, const std::string& plt) {
  dialogs.File(plt);
  app.mainForm.LocationNameClicked();
  EXPECT_TRUE(dialogs.Done());
  EXPECT_TRUE(dialogs.Messages().empty());
}

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
