// Replacing a text file safely: a fresh temporary beside the file, written,
// flushed and renamed over it.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/TextFile.h"

namespace TextFile {

namespace {

namespace fs = std::filesystem;

// "Demo.cal" is written as "Demo.cal.tamsel-tmp.Xy12Ab" and renamed.
constexpr std::string_view kTempMark = ".tamsel-tmp.";
constexpr std::string_view kRandomPart = "XXXXXX";  // filled in by mkostemp
// Earlier versions wrote "Demo.cal.tmp" + process number.
constexpr std::string_view kOldTempMark = ".tmp";
constexpr std::size_t kOldTempDigits = 10;
constexpr std::size_t kHashLength = 9;  // "~" and 8 hex digits
constexpr std::size_t kDefaultNameMax = 255;
constexpr int kMaxLinks = 40;  // as the system bounds a chain of links

WriteResult Failed(int error) { return {false, std::strerror(error)}; }

// The file a path names at the end of any chain of symbolic links (it may
// not exist yet); nothing, with `error` set, for a loop or a broken chain.
std::optional<fs::path> LinkTarget(fs::path path, int& error) {
  for (int hops = 0;; ++hops) {
    std::error_code ec;
    if (fs::symlink_status(path, ec).type() != fs::file_type::symlink) return path;
    if (hops == kMaxLinks) {
      error = ELOOP;
      return std::nullopt;
    }
    const fs::path target = fs::read_symlink(path, ec);
    if (ec) {
      error = ec.value();
      return std::nullopt;
    }
    path = target.is_absolute() ? target : path.parent_path() / target;
  }
}

std::uint32_t NameHash(std::string_view name) {  // FNV-1a: the same in every build
  std::uint32_t hash = 2166136261u;
  for (unsigned char ch : name) hash = (hash ^ ch) * 16777619u;
  return hash;
}

// The temporary's name without its random part. A name too long to extend
// is shortened (to whole UTF-8 characters) and marked with a hash of itself,
// so any name the folder accepts has a temporary it accepts too.
std::string TempPrefix(const std::string& name, std::size_t nameMax) {
  const std::size_t fixed = kTempMark.size() + kRandomPart.size();
  if (name.size() + fixed <= nameMax) return name + std::string(kTempMark);
  std::size_t keep = nameMax > fixed + kHashLength ? nameMax - fixed - kHashLength : 0;
  while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  char hash[kHashLength + 1];
  std::snprintf(hash, sizeof hash, "~%08x", static_cast<unsigned>(NameHash(name)));
  return name.substr(0, keep) + hash + std::string(kTempMark);
}

bool IsTemporaryOf(std::string_view entry, std::string_view name, std::string_view prefix) {
  if (entry.size() == prefix.size() + kRandomPart.size() && entry.starts_with(prefix)) return true;
  if (!entry.starts_with(name) || !entry.substr(name.size()).starts_with(kOldTempMark))
    return false;
  const std::string_view digits = entry.substr(name.size() + kOldTempMark.size());
  return !digits.empty() && digits.size() <= kOldTempDigits &&
         digits.find_first_not_of("0123456789") == std::string_view::npos;
}

// A save in progress holds a lock on its temporary; one nobody holds was left
// by a save that was killed. A planted link is removed, never followed.
void RemoveIfStale(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ELOOP) ::unlink(path.c_str());
    return;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) == 0) ::unlink(path.c_str());
  ::close(fd);
}

void RemoveStaleTemporaries(const fs::path& folder,
                            const std::string& name,
                            const std::string& prefix) {
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (IsTemporaryOf(it->path().filename().native(), name, prefix)) RemoveIfStale(it->path());
  }
}

// The old file's owner (where the system allows) and mode, or the mode a
// newly made file gets.
int TakeOwnerAndMode(int fd, const struct stat* old) {
  mode_t mode = 0;
  if (old) {
    // Owner first: changing it may clear set-ID bits of the mode. Where
    // neither owner nor group may be kept, the new file is this user's.
    if (::fchown(fd, old->st_uid, old->st_gid) != 0 && ::fchown(fd, -1, old->st_gid) != 0) {
    }
    mode = old->st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  return ::fchmod(fd, mode) == 0 ? 0 : errno;
}

int WriteAll(int fd, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) (text += line) += "\r\n";
  std::string_view rest = text;
  while (!rest.empty()) {
    const ssize_t put = ::write(fd, rest.data(), rest.size());
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return put < 0 ? errno : EIO;
    rest.remove_prefix(static_cast<std::size_t>(put));
  }
  return ::fsync(fd) == 0 ? 0 : errno;
}

void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Why an existing file must not be replaced; "" when it may.
std::string Refusal(const fs::path& target, const struct stat& old) {
  if (S_ISDIR(old.st_mode)) return std::strerror(EISDIR);
  if (!S_ISREG(old.st_mode)) return "not a plain file";
  if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return "the file is read-only";
  if (::access(target.c_str(), W_OK) != 0) return std::strerror(errno);
  return {};
}

}  // namespace

WriteResult WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  int error = 0;
  const std::optional<fs::path> target = LinkTarget(path, error);
  if (!target) return Failed(error);
  struct stat old {};
  const bool exists = ::stat(target->c_str(), &old) == 0;
  if (exists) {
    if (std::string refusal = Refusal(*target, old); !refusal.empty()) return {false, refusal};
  }
  const fs::path folder = target->has_parent_path() ? target->parent_path() : fs::path(".");
  const std::string name = target->filename().native();
  const long nameMax = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  const std::string prefix = TempPrefix(name, nameMax > 0 ? nameMax : kDefaultNameMax);
  RemoveStaleTemporaries(folder, name, prefix);

  std::string temp = (folder / (prefix + std::string(kRandomPart))).native();
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);  // O_CREAT | O_EXCL: never a link
  if (fd < 0) return Failed(errno);
  ::flock(fd, LOCK_EX);  // held until the rename: not stale
  error = TakeOwnerAndMode(fd, exists ? &old : nullptr);
  if (error == 0) error = WriteAll(fd, lines);
  if (error == 0 && ::rename(temp.c_str(), target->c_str()) != 0) error = errno;
  if (error != 0) ::unlink(temp.c_str());
  ::close(fd);  // fsync has reported any write error
  if (error != 0) return Failed(error);
  SyncFolder(folder);
  return {};
}

}  // namespace TextFile
