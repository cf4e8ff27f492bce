#include "garden_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <sstream>
#include <utility>

#include "file_bytes.h"
#include "garden.h"
#include "safe_text.h"

namespace {

// Eight records with names of any sensible length take a few KiB. Of a
// longer file only this much is read, so that memory stays bounded whatever
// the file holds; the rest counts as damage and is kept in the backup.
constexpr std::size_t kMaxGardenBytes = std::size_t{64} * 1024;
constexpr char kMaxGardenSize[] = "64 KiB";

// After a record that cannot be loaded, loading goes on at the next line
// that begins with a record's first label.
constexpr char kRecordStart[] = "\nName:";

// Bytes copied at a time from a garden too long to hold in memory.
constexpr std::size_t kCopyChunk = std::size_t{16} * 1024;

// Temporaries are named "." + the garden's name + this marker + six random
// characters (a backup's: + ".bak..." before the marker): hidden, and marked
// as the game's own, so that the clean-up at the start of a game never takes
// a player's file for one.
constexpr char kTempMarker[] = ".tumblenook-temp.";
constexpr char kTempRandom[] = "XXXXXX";
constexpr char kBackupSuffix[] = ".bak";
constexpr char kLockSuffix[] = ".lock";
constexpr int kMaxBackups = 100;
// The most of a book that is read: many times what a full book holds.
constexpr std::size_t kMaxBookBytes = std::size_t{64} * 1024;

// The mode of a new file before the umask, as for any file a program makes.
constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kPermissionBits = 0777;

void report(const std::string& what, const std::string& path, int error) {
  std::cerr << "tumblenook: " << what << ' ' << path << ": "
            << describeError(error) << std::endl;
}

void warnUnsynced(const std::string& path, int error) {
  std::cerr << "tumblenook: saved " << path
            << ", but it may not survive a power cut: cannot sync its folder: "
            << describeError(error) << std::endl;
}

std::string folderOf(const std::string& path) {
  const std::string::size_type slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
  return path.substr(path.rfind('/') + 1);
}

// The file that the garden path `path` names: `path` itself, or where it
// leads when it is a symbolic link, so that the garden is saved there and
// the link stays. Empty, with `error` set, for a link that leads nowhere.
std::string targetOf(const std::string& path, int& error) {
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) {
    return path;
  }
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) {
    error = errno;
    return "";
  }
  std::string target(resolved);
  std::free(resolved);  // realpath allocates with malloc
  return target;
}

// The mode a new garden at `target` gets: the old garden's, else the mode
// of any new file.
mode_t modeFor(const std::string& target) {
  struct stat status {};
  if (::stat(target.c_str(), &status) == 0) {
    return status.st_mode & kPermissionBits;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return kNewFileMode & ~mask;
}

// Returns 0, or the errno of the failed write.
int writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t put = ::write(fd, data, size);
    if (put < 0 && errno == EINTR) continue;
    if (put < 0) return errno;
    data += put;
    size -= static_cast<std::size_t>(put);
  }
  return 0;
}

// Returns 0 when the folder is on disk, or the errno of the failed step.
// EINVAL counts as done: some filesystems cannot sync a folder at all.
int syncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return errno;
  const int error = ::fsync(fd) == 0 ? 0 : errno;
  ::close(fd);
  return error == EINVAL ? 0 : error;
}

bool sameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// How replacing a file went.
struct Replaced {
  int error = 0;      // not 0: the old file stayed in place
  int syncError = 0;  // not 0: the new file is in place, its folder unsynced
};

// Fills the new file open at the descriptor; returns 0 or an errno value.
using Writer = std::function<int(int fd)>;

// Replaces `target` with a file of mode `mode` that `write` fills. The new
// file is written through the descriptor that made it, synced, then renamed
// over the target, so that the target holds the old content or the new and
// never part of one. A temporary swapped for something else by name
// (another file, a link) is never renamed into place.
Replaced replaceFile(const std::string& target, mode_t mode,
                     const Writer& write) {
  Replaced result;
  std::string temp =
      folderOf(target) + "/." + nameOf(target) + kTempMarker + kTempRandom;
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    result.error = errno;
    return result;
  }
  int error = ::fchmod(fd, mode) == 0 ? write(fd) : errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  struct stat written {};
  struct stat named {};
  if (error == 0 && ::fstat(fd, &written) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 &&
      (::lstat(temp.c_str(), &named) != 0 || !sameFile(written, named))) {
    error = EEXIST;
  }
  if (error == 0 && ::rename(temp.c_str(), target.c_str()) != 0) {
    error = errno;
  }
  if (error != 0) {
    ::unlink(temp.c_str());
    result.error = error;
    return result;
  }
  result.syncError = syncFolder(folderOf(target));
  return result;
}

// The garden file as read at the start of a game.
struct GardenFile {
  GardenFile() = default;
  GardenFile(const GardenFile&) = delete;
  GardenFile& operator=(const GardenFile&) = delete;
  ~GardenFile() {
    if (fd >= 0) ::close(fd);
  }

  std::string target;  // where the garden is, links followed
  int fd = -1;         // open on the target while it is read and copied
  FileBytes file;
  int leftOut = 0;             // records that were not loaded
  bool cut = false;            // the file is longer than what is read of it
  bool namesRepaired = false;  // names unsafe to print were repaired

  // True when anything of the file was left unloaded.
  bool unloaded() const { return leftOut > 0 || cut; }
};

// "1 record", "2 records": `count` of `thing`, in the singular or plural.
std::string countOf(int count, const std::string& thing) {
  return std::to_string(count) + ' ' + thing + (count == 1 ? "" : "s");
}

// What of the garden could not be loaded, for the notes about it: how many
// records, and that the file is longer than what is read of it.
std::string unloadedOf(const GardenFile& garden) {
  std::string unloaded;
  if (garden.leftOut > 0) {
    unloaded = countOf(garden.leftOut, "record") + " that could not be loaded";
  }
  if (garden.cut) {
    if (!unloaded.empty()) unloaded += " and ";
    unloaded +=
        std::string("more than the ") + kMaxGardenSize + " the game reads";
  }
  return unloaded;
}

// What was wrong with a damaged garden, for the note about its backup.
std::string damageOf(const GardenFile& garden) {
  std::string damage = unloadedOf(garden);
  if (garden.namesRepaired) {
    if (!damage.empty()) damage += " and ";
    damage += std::string("names unsafe to print, repaired with \"") +
              kUnsafeStandIn + '"';
  }
  return damage;
}

// Where to keep a copy of the damaged garden `garden`: "<target>.bak", or
// when that holds an earlier copy of other damage, the first of
// "<target>.bak.1", ".2", ... that is free or already holds these very
// bytes, so that no earlier copy is ever replaced. `kept` tells the latter.
// Empty when all are taken.
std::string backupPath(const GardenFile& garden, bool& kept) {
  for (int number = 0; number < kMaxBackups; ++number) {
    std::string candidate = garden.target + kBackupSuffix;
    if (number > 0) candidate += "." + std::to_string(number);
    struct stat status {};
    if (::lstat(candidate.c_str(), &status) != 0) {
      if (errno == ENOENT) return candidate;
      continue;
    }
    if (S_ISREG(status.st_mode) && garden.file.whole) {
      const FileBytes copy = readFileBytes(candidate, garden.file.bytes.size());
      kept = copy.error == 0 && copy.whole && copy.bytes == garden.file.bytes;
      if (kept) return candidate;
    }
  }
  return "";
}

// Writes the garden's bytes, then what it holds past them, to `to`.
Writer copyOf(const GardenFile& garden) {
  return [&garden](int to) {
    const std::string& bytes = garden.file.bytes;
    int error = writeAll(to, bytes.data(), bytes.size());
    std::string chunk(garden.file.whole ? 0 : kCopyChunk, '\0');
    auto offset = static_cast<off_t>(bytes.size());
    while (error == 0 && !chunk.empty()) {
      const ssize_t got =
          ::pread(garden.fd, chunk.data(), chunk.size(), offset);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) return got < 0 ? errno : 0;
      error = writeAll(to, chunk.data(), static_cast<std::size_t>(got));
      offset += got;
    }
    return error;
  };
}

// Keeps a copy of the whole damaged garden, so that what could not be
// loaded survives the next save. A copy, not a hard link: a player who
// mends the garden in place must not change the backup too. The copy has
// the garden's mode, never a wider one. False, with a message, when no copy
// could be made.
bool keepBackup(const std::string& path, const GardenFile& garden,
                const std::string& what, const std::string& damage) {
  bool kept = false;
  const std::string backup = backupPath(garden, kept);
  Replaced made;
  struct stat original {};
  if (backup.empty()) {
    made.error = EEXIST;
  } else if (!kept) {
    made = ::fstat(garden.fd, &original) != 0
               ? Replaced{errno, 0}
               : replaceFile(backup, original.st_mode & kPermissionBits,
                             copyOf(garden));
  }
  if (made.error != 0) {
    report("cannot keep a copy of the damaged " + what,
           backup.empty() ? garden.target + kBackupSuffix : backup, made.error);
    return false;
  }
  std::cerr << "tumblenook: " << path << " held " << damage
            << "; the whole file is kept as " << backup << std::endl;
  if (made.syncError != 0) warnUnsynced(backup, made.syncError);
  return true;
}

// Where loading goes on after the record that does not parse from `start`
// on: the next line after it that begins with a record's first label, or the
// end. Always past `start`, so that loading always moves on.
std::size_t nextRecord(const std::string& bytes, std::size_t start) {
  const std::size_t line = bytes.find(kRecordStart, start);
  return line == std::string::npos ? bytes.size() : line + 1;
}

// Loads the records of `garden.file` into `into`, up to CAPACITY, and
// counts in `garden.leftOut` those it leaves out: each record past the
// garden's last slot, and each that does not parse, which is skipped so that
// the healthy records after it still load. Sets `garden.cut` when the file
// is longer than what was read, and `garden.namesRepaired` when a loaded
// creature's name had to be repaired.
void loadRecords(GardenFile& garden, Garden& into) {
  const FileBytes& file = garden.file;
  garden.cut = !file.whole;
  std::istringstream in(file.bytes);
  while ((in >> std::ws) && !in.eof()) {
    const auto start = static_cast<std::size_t>(in.tellg());
    Mirl creature(in);
    // A record that meets the end of a file cut at the limit may be cut too.
    const bool parsed = !in.fail() && (file.whole || !in.eof());
    if (parsed && into.hasRoom()) {
      garden.namesRepaired = garden.namesRepaired || creature.wasNameRepaired();
      into.addToGarden(std::move(creature));
      continue;
    }
    ++garden.leftOut;
    if (!parsed) {
      in.clear();
      in.seekg(static_cast<std::streamoff>(nextRecord(file.bytes, start)));
    }
  }
}

// How reading the garden file went.
enum class ReadResult { kComplete, kDamaged, kUnreadable };

// Reads the garden file at `path` into `garden` and its creatures into
// `into`. A missing file is a complete, empty garden; kDamaged when records
// were left unloaded or names repaired, as `garden` tells. kUnreadable, with
// a message on standard error, for a link that leads nowhere, a file that is
// not a regular file, and a read error, which never counts as the end of the
// file.
ReadResult readGarden(const std::string& path, GardenFile& garden,
                      Garden& into) {
  int error = 0;
  garden.target = targetOf(path, error);
  if (garden.target.empty()) {
    report("cannot follow the link", path, error);
    return ReadResult::kUnreadable;
  }
  garden.fd = openRegularFile(garden.target, error);
  if (garden.fd < 0) {
    if (error == ENOENT) return ReadResult::kComplete;  // no garden yet
    report("cannot read", path, error);
    return ReadResult::kUnreadable;
  }
  garden.file = readBytes(garden.fd, kMaxGardenBytes);
  if (garden.file.error != 0) {
    report("cannot read", path, garden.file.error);
    return ReadResult::kUnreadable;
  }
  loadRecords(garden, into);
  return garden.unloaded() || garden.namesRepaired ? ReadResult::kDamaged
                                                   : ReadResult::kComplete;
}

// The lock of this process's garden: open for the whole run, so that the
// kernel releases it however the process ends.
int heldLock = -1;

bool takeLock(const std::string& path, const std::string& target) {
  if (heldLock >= 0) ::close(heldLock);  // one garden a process
  const std::string lock = target + kLockSuffix;
  heldLock = ::open(lock.c_str(),
                    O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC,
                    kNewFileMode);
  if (heldLock < 0) {
    report("cannot lock the garden with", lock, errno);
    return false;
  }
  if (::flock(heldLock, LOCK_EX | LOCK_NB) == 0) return true;
  const int error = errno;
  ::close(heldLock);
  heldLock = -1;
  if (error == EWOULDBLOCK) {
    std::cerr << "tumblenook: " << path
              << " is open in another game; leave that game first" << std::endl;
  } else {
    report("cannot lock the garden with", lock, error);
  }
  return false;
}

// True for the name of a temporary of the garden called `garden`.
bool isTemporary(const std::string& name, const std::string& garden) {
  const std::string start = "." + garden;
  const std::string end = std::string(kTempMarker) + kTempRandom;
  if (name.size() < start.size() + end.size() || name.rfind(start, 0) != 0) {
    return false;
  }
  const std::string middle =
      name.substr(start.size(), name.size() - start.size() - end.size());
  const std::string::size_type marker = name.size() - end.size();
  return name.compare(marker, sizeof kTempMarker - 1, kTempMarker) == 0 &&
         (middle.empty() || middle.rfind(kBackupSuffix, 0) == 0);
}

// Removes the temporaries that a game killed while saving left beside
// `target`. A folder that cannot be listed keeps them: they harm nothing.
void removeTemporaries(const std::string& target) {
  DIR* folder = ::opendir(folderOf(target).c_str());
  if (folder == nullptr) return;
  const std::string garden = nameOf(target);
  while (const dirent* entry = ::readdir(folder)) {
    if (isTemporary(entry->d_name, garden)) {
      ::unlinkat(::dirfd(folder), entry->d_name, 0);
    }
  }
  ::closedir(folder);
}

// The book beside the garden whose file is `target`.
std::string bookBeside(const std::string& target) {
  return folderOf(target) + "/" + kBookFile;
}

// What reading the book at `path` gave: its text in `file`, or false, with
// a message, when it exists but cannot be read.
bool readBookFile(const std::string& path, GardenFile& file) {
  int error = 0;
  file.target = targetOf(path, error);
  if (!file.target.empty()) file.fd = openRegularFile(file.target, error);
  if (file.fd < 0) {
    if (error == ENOENT) return true;  // no book yet
    report("cannot read", path, error);
    return false;
  }
  file.file = readBytes(file.fd, kMaxBookBytes);
  if (file.file.error != 0) {
    report("cannot read", path, file.file.error);
    return false;
  }
  return true;
}

// What of a book's text was passed over, for the note about it.
std::string bookDamage(const std::vector<std::string>& problems, bool cut) {
  std::string damage =
      problems.empty() ? ""
                       : countOf(static_cast<int>(problems.size()), "line") +
                             " it could not read (" + problems[0] + ")";
  if (cut) {
    damage += std::string(damage.empty() ? "" : " and ") + "more than the " +
              std::to_string(kMaxBookBytes / 1024) + " KiB the game reads";
  }
  return damage;
}

}  // namespace

bool loadBook(Book& into, const std::string& gardenTarget) {
  const std::string path = bookBeside(gardenTarget);
  GardenFile file;
  if (!readBookFile(path, file)) {
    std::cerr << "tumblenook: the game goes on with a new book; " << path
              << " is left as it is" << std::endl;
    return false;
  }
  if (file.fd < 0) return true;
  BookRead read = readBook(file.file.bytes);
  into = read.book;
  if (read.problems.empty() && file.file.whole) return true;
  if (!keepBackup(path, file, "book",
                  bookDamage(read.problems, !file.file.whole))) {
    std::cerr << "tumblenook: the game goes on; " << path << " is left as it is"
              << std::endl;
    return false;
  }
  return true;
}

bool viewBook(Book& into, const std::string& gardenPath) {
  int error = 0;
  const std::string target = targetOf(gardenPath, error);
  GardenFile file;
  if (!readBookFile(bookBeside(target.empty() ? gardenPath : target), file)) {
    return false;
  }
  if (file.fd < 0) return true;
  BookRead read = readBook(file.file.bytes);
  into = read.book;
  if (!read.problems.empty() || !file.file.whole) {
    std::cerr << "tumblenook: " << kBookFile << " holds "
              << bookDamage(read.problems, !file.file.whole)
              << "; showing the rest" << std::endl;
  }
  return true;
}

bool claimGarden(const std::string& path) {
  int error = 0;
  const std::string target = targetOf(path, error);
  if (target.empty()) {
    report("cannot follow the link", path, error);
    return false;
  }
  struct stat status {};
  if (::stat(target.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
    report("cannot use", path,
           S_ISDIR(status.st_mode) ? EISDIR : kNotRegularFile);
    return false;
  }
  const std::string folder = folderOf(target);
  if (::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
    report("cannot save the garden in the folder", folder, errno);
    return false;
  }
  if (!takeLock(path, target)) return false;
  removeTemporaries(target);
  return true;
}

bool loadGarden(Garden& into, const std::string& path) {
  GardenFile garden;
  switch (readGarden(path, garden, into)) {
    case ReadResult::kComplete:
      break;
    case ReadResult::kDamaged:
      if (!keepBackup(path, garden, "garden", damageOf(garden))) return false;
      break;
    case ReadResult::kUnreadable:
      // A garden that exists but cannot be read must not be overwritten.
      return false;
  }
  into.bookFileKept = !loadBook(into.book, garden.target);
  return true;
}

bool viewGarden(Garden& into, const std::string& path) {
  GardenFile garden;
  const ReadResult result = readGarden(path, garden, into);
  if (garden.unloaded()) {
    std::cerr << "tumblenook: " << path << " holds " << unloadedOf(garden)
              << "; showing the " << countOf(into.emptySlot, "other")
              << std::endl;
  }
  if (garden.namesRepaired) {
    std::cerr << "tumblenook: " << path
              << " holds names unsafe to print; showing them with \""
              << kUnsafeStandIn << "\" in place of each unsafe character"
              << std::endl;
  }
  return result != ReadResult::kUnreadable;
}

namespace {

// Replaces the file at `path` (a link followed) with `bytes`, keeping its
// mode, as replaceFile does.
Replaced replaceWith(const std::string& path, const std::string& bytes) {
  int error = 0;
  const std::string target = targetOf(path, error);
  if (target.empty()) return Replaced{error, 0};
  return replaceFile(target, modeFor(target), [&bytes](int fd) {
    return writeAll(fd, bytes.data(), bytes.size());
  });
}

// Replaces the book beside the garden at `target` with `garden`'s, as the
// garden is replaced, unless its file is to be kept. The folder is the
// garden's: `warned` when its sync was already found wanting.
bool saveBook(const Garden& garden, const std::string& target, bool warned) {
  const std::string path = bookBeside(target);
  if (garden.bookFileKept) {
    std::cerr << "tumblenook: " << path
              << " was left as it was, since it could not be read" << std::endl;
    return false;
  }
  const Replaced saved = replaceWith(path, bookText(garden.book));
  if (saved.error != 0) {
    report("cannot save", path, saved.error);
    return false;
  }
  if (saved.syncError != 0 && !warned) warnUnsynced(path, saved.syncError);
  return true;
}

}  // namespace

bool saveGarden(Garden& garden, const std::string& path) {
  std::ostringstream records;
  for (int slot = 0; slot < garden.emptySlot; ++slot) {
    garden.mirl[slot].save(records);
  }
  int error = 0;
  const std::string target = targetOf(path, error);
  const Replaced saved = replaceWith(path, records.str());
  if (saved.error != 0) {
    report("cannot save", path, saved.error);
    return false;
  }
  if (saved.syncError != 0) warnUnsynced(path, saved.syncError);
  return saveBook(garden, target, saved.syncError != 0);
}

bool keepReleasedCodes(const std::string& path,
                       const std::vector<std::string>& codes) {
  if (codes.empty()) return true;
  std::string lines;
  for (const std::string& code : codes) lines += code + '\n';
  const int fd = ::open(path.c_str(),
                        O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC,
                        kNewFileMode);
  int error = fd < 0 ? errno : writeAll(fd, lines.data(), lines.size());
  if (fd >= 0 && error == 0 && ::fsync(fd) != 0) error = errno;
  if (fd >= 0 && ::close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    report("cannot keep the codes of the released creatures in", path, error);
    return false;
  }
  return true;
}
