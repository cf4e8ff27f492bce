// Helpers shared by the unit tests, the end-to-end runner and the fuzz
// targets: capturing what the code prints to standard output, running inside
// a fresh temporary folder, writing whole files (they are read with the
// game's own readFile), and wrapping text into lines. Free of GoogleTest, so
// that the fuzz targets can use it too.

#ifndef TUMBLENOOK_TESTS_TEST_UTIL_H_
#define TUMBLENOOK_TESTS_TEST_UTIL_H_

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "file_bytes.h"

// The whole content of the file at `path`, read with the game's own reader;
// empty when it cannot be read.
inline std::string readFile(const std::string& path) {
  constexpr std::size_t kNoLimit = std::size_t{1} << 40;
  return readFileBytes(path, kNoLimit).bytes;
}

// Collects everything written to std::cout while it is alive.
class CaptureStdout {
 public:
  CaptureStdout() : saved_(std::cout.rdbuf(captured_.rdbuf())) {}
  ~CaptureStdout() { std::cout.rdbuf(saved_); }
  CaptureStdout(const CaptureStdout&) = delete;
  CaptureStdout& operator=(const CaptureStdout&) = delete;

  // Everything printed so far.
  std::string text() const { return captured_.str(); }

 private:
  std::ostringstream captured_;
  std::streambuf* saved_;
};

// Everything that calling `print` writes to std::cout.
template <typename Print>
std::string printedBy(Print print) {
  CaptureStdout out;
  print();
  return out.text();
}

// A fresh folder of this process's own under the system's temporary folder,
// its name starting with `prefix`.
inline std::filesystem::path makeTempFolder(const std::string& prefix) {
  std::string pattern =
      (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
  if (mkdtemp(pattern.data()) == nullptr) {
    throw std::runtime_error("cannot make a temporary folder " + pattern);
  }
  return pattern;
}

// Makes a fresh folder, works inside it while alive, then removes it.
class TempDir {
 public:
  TempDir()
      : previous_(std::filesystem::current_path()),
        path_(makeTempFolder("tumblenook")) {
    std::filesystem::current_path(path_);
  }
  ~TempDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// Writes `text` to the file at `path`, replacing it; false when it could not.
inline bool writeFile(const std::filesystem::path& path,
                      const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  out.close();
  return !out.fail();
}

// A T built by its stream constructor from `text`, as if read from a file.
template <typename T>
T readFromText(const std::string& text) {
  TempDir dir;
  writeFile("record", text);
  std::ifstream in("record");
  return T(in);
}

// `text` in lines of `width` characters, each ended by `end`, as a mail
// program wraps a long line.
inline std::string wrapped(const std::string& text, std::size_t width,
                           const std::string& end) {
  std::string lines;
  for (std::size_t at = 0; at < text.size(); at += width) {
    lines += text.substr(at, width) + end;
  }
  return lines;
}

#endif  // TUMBLENOOK_TESTS_TEST_UTIL_H_
