// Preloaded into the game by the end-to-end tests that need a fault which
// the system gives only by bad luck. Each fault is set in the environment:
//
//   TUMBLENOOK_FAULT_READ=<name>:<offset>  reading a file called <name>
//       fails with EIO at <offset> and past it;
//   TUMBLENOOK_FAULT_DIRSYNC=1            syncing a folder fails with EINVAL,
//       as on filesystems that cannot sync folders;
//   TUMBLENOOK_FAULT_SWAP_TEMP=<file>     a temporary made by mkstemp is at
//       once swapped for a link to <file>, as someone sharing the folder
//       might do;
//   TUMBLENOOK_FAULT_LATE_SIGNAL=<n>      signal <n> comes just as the game
//       starts to wait for its input, after it last looked for a signal.

#include <dlfcn.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/select.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace {

constexpr int kMaxFd = 1024;
off_t failAt[kMaxFd];  // where reads of a watched file fail
bool watched[kMaxFd];

template <typename Function>
Function real(const char* name) {
  return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

// Watches `fd` when `path` names the file whose reads must fail.
void track(int fd, const char* path) {
  if (fd < 0 || fd >= kMaxFd) return;
  watched[fd] = false;
  const char* setting = getenv("TUMBLENOOK_FAULT_READ");
  const char* colon = setting != nullptr ? strchr(setting, ':') : nullptr;
  const char* slash = strrchr(path, '/');
  const char* name = slash != nullptr ? slash + 1 : path;
  if (colon == nullptr ||
      strlen(name) != static_cast<size_t>(colon - setting) ||
      strncmp(name, setting, colon - setting) != 0) {
    return;
  }
  watched[fd] = true;
  failAt[fd] = atoll(colon + 1);
}

int openTracked(const char* symbol, const char* path, int flags, va_list a) {
  using Open = int (*)(const char*, int, ...);
  const bool hasMode =
      (flags & O_CREAT) != 0 || (flags & O_TMPFILE) == O_TMPFILE;
  const mode_t mode = hasMode ? va_arg(a, int) : 0;
  const int fd = real<Open>(symbol)(path, flags, mode);
  track(fd, path);
  return fd;
}

FILE* fopenTracked(const char* symbol, const char* path, const char* how) {
  using Fopen = FILE* (*)(const char*, const char*);
  FILE* file = real<Fopen>(symbol)(path, how);
  if (file != nullptr) track(fileno(file), path);
  return file;
}

void swapTemporary(const char* name) {
  const char* victim = getenv("TUMBLENOOK_FAULT_SWAP_TEMP");
  if (victim == nullptr) return;
  unlink(name);
  if (symlink(victim, name) != 0) perror("fault shim: symlink");
}

// The bytes of a read of `size` at `offset` that come before the fault;
// -1 with EIO when none do.
ssize_t readable(int fd, off_t offset, size_t size) {
  if (fd < 0 || fd >= kMaxFd || !watched[fd]) return size;
  if (offset >= failAt[fd]) {
    errno = EIO;
    return -1;
  }
  return std::min<off_t>(size, failAt[fd] - offset);
}

// Sends the late signal, once, as the game starts to wait for input.
void lateSignal() {
  static bool sent = false;
  const char* signal = getenv("TUMBLENOOK_FAULT_LATE_SIGNAL");
  if (signal == nullptr || sent) return;
  sent = true;
  raise(atoi(signal));
}

}  // namespace

extern "C" {

int pselect(int count, fd_set* in, fd_set* out, fd_set* error,
            const struct timespec* timeout, const sigset_t* mask) {
  if (in != nullptr && FD_ISSET(STDIN_FILENO, in)) lateSignal();
  using Pselect = int (*)(int, fd_set*, fd_set*, fd_set*,
                          const struct timespec*, const sigset_t*);
  return real<Pselect>("pselect")(count, in, out, error, timeout, mask);
}

int open(const char* path, int flags, ...) {
  va_list a;
  va_start(a, flags);
  const int fd = openTracked("open", path, flags, a);
  va_end(a);
  return fd;
}

int open64(const char* path, int flags, ...) {
  va_list a;
  va_start(a, flags);
  const int fd = openTracked("open64", path, flags, a);
  va_end(a);
  return fd;
}

FILE* fopen(const char* path, const char* how) {
  return fopenTracked("fopen", path, how);
}

FILE* fopen64(const char* path, const char* how) {
  return fopenTracked("fopen64", path, how);
}

int close(int fd) {
  if (fd >= 0 && fd < kMaxFd) watched[fd] = false;
  return real<int (*)(int)>("close")(fd);
}

ssize_t read(int fd, void* into, size_t size) {
  if (fd == STDIN_FILENO) lateSignal();
  const bool faulty = fd >= 0 && fd < kMaxFd && watched[fd];
  const ssize_t allowed =
      readable(fd, faulty ? lseek(fd, 0, SEEK_CUR) : 0, size);
  if (allowed < 0) return -1;
  return real<ssize_t (*)(int, void*, size_t)>("read")(fd, into, allowed);
}

ssize_t pread(int fd, void* into, size_t size, off_t offset) {
  const ssize_t allowed = readable(fd, offset, size);
  if (allowed < 0) return -1;
  return real<ssize_t (*)(int, void*, size_t, off_t)>("pread")(fd, into,
                                                               allowed, offset);
}

ssize_t pread64(int fd, void* into, size_t size, off_t offset) {
  const ssize_t allowed = readable(fd, offset, size);
  if (allowed < 0) return -1;
  return real<ssize_t (*)(int, void*, size_t, off_t)>("pread64")(
      fd, into, allowed, offset);
}

int fsync(int fd) {
  struct stat status;
  if (getenv("TUMBLENOOK_FAULT_DIRSYNC") != nullptr &&
      fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) {
    errno = EINVAL;
    return -1;
  }
  return real<int (*)(int)>("fsync")(fd);
}

int mkstemp(char* name) {
  const int fd = real<int (*)(char*)>("mkstemp")(name);
  if (fd >= 0) swapTemporary(name);
  return fd;
}

int mkostemp(char* name, int flags) {
  const int fd = real<int (*)(char*, int)>("mkostemp")(name, flags);
  if (fd >= 0) swapTemporary(name);
  return fd;
}

}  // extern "C"
