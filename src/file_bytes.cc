#include "file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

// Bytes asked of the kernel at a time when the size is not known in advance.
constexpr std::size_t kChunk = std::size_t{64} * 1024;

// One read, retried while a signal interrupts it.
ssize_t readOnce(int fd, char* into, std::size_t size) {
  ssize_t got = 0;
  do {
    got = ::read(fd, into, size);
  } while (got < 0 && errno == EINTR);
  return got;
}

}  // namespace

int openRegularFile(const std::string& path, int& error) {
  // O_NONBLOCK: opening a FIFO with no writer would wait for one.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    error = errno;
  } else if (S_ISDIR(status.st_mode)) {
    error = EISDIR;
  } else if (!S_ISREG(status.st_mode)) {
    error = kNotRegularFile;
  } else {
    return fd;
  }
  ::close(fd);
  return -1;
}

FileBytes readBytes(int fd, std::size_t limit) {
  FileBytes file;
  struct stat status {};
  if (::fstat(fd, &status) == 0 && status.st_size > 0) {
    // One byte more than the size, so that the read meeting the end of the
    // file needs no more room.
    file.bytes.reserve(
        std::min(static_cast<std::size_t>(status.st_size) + 1, limit));
  }
  while (file.bytes.size() < limit) {
    const std::size_t had = file.bytes.size();
    const std::size_t room = file.bytes.capacity() - had;
    const std::size_t want = std::min(room > 0 ? room : kChunk, limit - had);
    file.bytes.resize(had + want);
    const ssize_t got = readOnce(fd, &file.bytes[had], want);
    file.bytes.resize(had + std::max<ssize_t>(got, 0));
    if (got < 0) {
      file.error = errno;
      return file;
    }
    if (got == 0) {
      file.whole = true;
      return file;
    }
  }
  // The limit is reached: one byte more tells whether the file goes on.
  char probe = 0;
  const ssize_t got = readOnce(fd, &probe, 1);
  if (got < 0) file.error = errno;
  file.whole = got == 0;
  return file;
}

FileBytes readFileBytes(const std::string& path, std::size_t limit) {
  FileBytes file;
  const int fd = openRegularFile(path, file.error);
  if (fd < 0) return file;
  file = readBytes(fd, limit);
  ::close(fd);
  return file;
}

std::string describeError(int error) {
  return error == kNotRegularFile ? "not a regular file" : std::strerror(error);
}
