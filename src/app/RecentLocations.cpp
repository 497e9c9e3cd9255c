#include "app/RecentLocations.h"

#include <algorithm>

#include "platform/Location.h"

void RecentLocations::Add(std::string_view path) {
  if (path.empty()) return;
  Remove(path);
  paths_.insert(paths_.begin(), std::string(path));
  if (static_cast<int>(paths_.size()) > kKept) paths_.resize(kKept);
}

void RecentLocations::Remove(std::string_view path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
}

void RecentLocations::Set(const std::vector<std::string>& paths) {
  paths_.clear();
  for (auto path = paths.rbegin(); path != paths.rend(); ++path) Add(*path);
}

namespace {

// A menu reads "&" as the mark of its key: a name's own "&" is doubled.
std::string MenuText(std::string text) {
  for (std::size_t at = text.find('&'); at != std::string::npos; at = text.find('&', at + 2))
    text.insert(at, 1, '&');
  return text;
}

}  // namespace

std::string RecentLocations::caption(int index) const {
  if (index < 0 || index >= static_cast<int>(paths_.size())) return {};
  const std::string& path = paths_[static_cast<std::size_t>(index)];
  // The number is the entry's key on the keyboard.
  return "&" + std::to_string(index + 1) + " " + MenuText(FileNameOf(LocationBaseOf(path))) +
         "   (" + MenuText(FolderOf(path)) + ")";
}
