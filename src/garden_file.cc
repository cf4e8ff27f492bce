#include "garden_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <functional>
#include <iostream>
#include <sstream>
#include <utility>

#include "file_bytes.h"
#include "garden.h"

namespace {

// No limit yet on what is read of a garden.
constexpr std::size_t kMaxBytes = std::size_t{1} << 40;

// Saves or copies go through a temporary file in the same folder, which is
// flushed to disk and then renamed over the target, so that a reader sees
// the old file or the new one and never part of one.
std::string folderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

bool syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

// Returns 0, or the errno of the first step that failed; on failure the
// temporary file is removed and `path` is untouched.
int replaceFile(const std::string& path,
                const std::function<void(std::ofstream&)>& write) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return errno;
  int error = 0;
  const auto check = [&error](bool ok) {
    if (!ok && error == 0) error = errno != 0 ? errno : EIO;
  };
  const mode_t mask = ::umask(0);
  ::umask(mask);
  errno = 0;
  check(::fchmod(fd, 0666 & ~mask) == 0);
  if (error == 0) {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    write(out);
    out.close();
    check(!out.fail());
  }
  if (error == 0) check(::fsync(fd) == 0);
  check(::close(fd) == 0);
  if (error == 0) check(::rename(temp.c_str(), path.c_str()) == 0);
  if (error != 0) {
    ::unlink(temp.c_str());
    return error;
  }
  // The rename is durable only once the folder itself is on disk.
  check(syncFolder(folderOf(path)));
  return error;
}

void reportFailure(const char* what, const std::string& path, int error) {
  std::cerr << "tumblenook: " << what << ' ' << path << ": "
            << std::strerror(error) << std::endl;
}

// Where to keep a copy of `bytes`, the damaged garden at `path`:
// "<path>.bak", or when that holds an earlier copy of other damage, the first
// of "<path>.bak.1", "<path>.bak.2", ... that is free or holds these very
// bytes, so that no earlier copy is ever replaced. Empty when all are taken.
std::string backupPath(const std::string& path, const std::string& bytes) {
  constexpr int kMaxBackups = 100;
  for (int number = 0; number < kMaxBackups; ++number) {
    std::string candidate = path + ".bak";
    if (number > 0) candidate += "." + std::to_string(number);
    if (::access(candidate.c_str(), F_OK) != 0 ||
        readFileBytes(candidate, kMaxBytes).bytes == bytes) {
      return candidate;
    }
  }
  return "";
}

// Copies the file at `path` to a backup, so that what could not be loaded
// survives the next save.
bool keepBackup(const std::string& path) {
  const std::string bytes = readFileBytes(path, kMaxBytes).bytes;
  const std::string backup = backupPath(path, bytes);
  const int error =
      backup.empty()
          ? EEXIST
          : replaceFile(backup, [&bytes](std::ofstream& out) { out << bytes; });
  if (error != 0) {
    reportFailure("cannot keep a copy of the damaged garden",
                  backup.empty() ? path + ".bak" : backup, error);
    return false;
  }
  std::cerr << "tumblenook: " << path
            << " held records that could not be loaded; the whole file is "
               "kept as "
            << backup << std::endl;
  return true;
}

}  // namespace

namespace {

// How reading the garden file went.
enum class ReadResult { kComplete, kIncomplete, kUnreadable };

// Reads the creatures of the save file at `path` into the garden, up to
// CAPACITY, and stops at the first record that does not parse. A missing
// file is a complete, empty garden. kUnreadable, with a message on standard
// error, when the file exists but cannot be opened.
ReadResult readGarden(const std::string& path) {
  std::ifstream in(path);
  if (!in.is_open()) {
    const int error = errno;
    if (error == ENOENT) return ReadResult::kComplete;  // no garden yet
    reportFailure("cannot read", path, error);
    return ReadResult::kUnreadable;
  }
  while ((in >> std::ws) && !in.eof()) {
    if (emptySlot >= CAPACITY) return ReadResult::kIncomplete;
    Mirl creature(in);
    if (in.fail()) return ReadResult::kIncomplete;
    addToGarden(std::move(creature));
  }
  return ReadResult::kComplete;
}

}  // namespace

bool loadGarden(const std::string& path) {
  switch (readGarden(path)) {
    case ReadResult::kComplete:
      return true;
    case ReadResult::kIncomplete:
      return keepBackup(path);
    case ReadResult::kUnreadable:
      // A garden that exists but cannot be read must not be overwritten.
      return false;
  }
  return false;
}

bool viewGarden(const std::string& path) {
  const ReadResult result = readGarden(path);
  if (result == ReadResult::kIncomplete) {
    std::cerr << "tumblenook: " << path
              << " holds records that could not be loaded; showing the "
              << emptySlot << " before them" << std::endl;
  }
  return result != ReadResult::kUnreadable;
}

bool saveGarden(const std::string& path) {
  const int error = replaceFile(path, [](std::ofstream& out) {
    for (int slot = 0; slot < emptySlot; ++slot) mirl[slot].save(out);
  });
  if (error != 0) reportFailure("cannot save", path, error);
  return error == 0;
}
