#pragma once

#include <string>
#include <string_view>
#include <vector>

// The locations opened last, newest first, for the "Open Recent" menu. The
// desktop program keeps them in the user's settings between sessions.
// The "Open Recent" menu before any location was opened.
inline constexpr std::string_view kNoRecentLocations = "No location opened yet";

class RecentLocations {
 public:
  static constexpr int kKept = 8;

  // `path` (a calibration file) becomes the newest; an earlier entry of the
  // same path goes, and the oldest beyond kKept.
  void Add(std::string_view path);
  void Remove(std::string_view path);
  // The list as the settings kept it: empty entries and repeats dropped,
  // at most kKept.
  void Set(const std::vector<std::string>& paths);
  const std::vector<std::string>& Paths() const { return paths_; }

  // The menu entry of entry `index` (from 0): "&1 Demo   (/home/me/farms/)".
  std::string caption(int index) const;

 private:
  std::vector<std::string> paths_;
};
