// Whole files read into memory, safely: the garden file and the item
// catalogue both come through here.
//
// A file is opened without blocking and refused unless it is a regular file,
// so that a FIFO or a device in its place never stalls the game; every read
// is checked, so that a read error is never taken for the end of the file;
// and at most a given number of bytes is kept, so that memory stays bounded
// whatever the file holds.
//
// This unit uses nothing else of the game: the model (the catalogue) and the
// garden file both use it.

#ifndef TUMBLENOOK_FILE_BYTES_H_
#define TUMBLENOOK_FILE_BYTES_H_

#include <cstddef>
#include <string>

// The error of a file that exists but is not a regular file (a FIFO, a
// device, a socket); folders give EISDIR. Outside the range of errno values.
inline constexpr int kNotRegularFile = -1;

// What reading a file gave.
struct FileBytes {
  std::string bytes;   // the file's first bytes, at most the limit asked for
  int error = 0;       // 0, an errno value, or kNotRegularFile
  bool whole = false;  // true when `bytes` is all the file holds
};

// Opens the regular file at `path` (following links) for reading, without
// blocking. Returns its descriptor, or -1 with `error` set.
int openRegularFile(const std::string& path, int& error);

// Reads what is left of the file open at `fd`, keeping at most `limit`
// bytes. A read interrupted by a signal is retried; any other read error is
// returned in `error`, with the bytes read before it.
FileBytes readBytes(int fd, std::size_t limit);

// openRegularFile, then readBytes, then close.
FileBytes readFileBytes(const std::string& path, std::size_t limit);

// `error` in words, as strerror gives it; kNotRegularFile is "not a regular
// file".
std::string describeError(int error);

#endif  // TUMBLENOOK_FILE_BYTES_H_
