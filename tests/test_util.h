// Helpers shared by the unit tests: capturing what the code prints to
// standard output, and running a test inside a fresh temporary folder.

#ifndef TUMBLENOOK_TESTS_TEST_UTIL_H_
#define TUMBLENOOK_TESTS_TEST_UTIL_H_

#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

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

// Makes a fresh folder, works inside it while alive, then removes it.
class TempDir {
 public:
  TempDir() : previous_(std::filesystem::current_path()) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tumblenook-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
    std::filesystem::current_path(path_);
  }
  ~TempDir() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

// Writes `text` to the file at `path`, replacing it.
inline void writeFile(const std::filesystem::path& path,
                      const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// The whole content of the file at `path`; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// A T built by its stream constructor from `text`, as if read from a file.
template <typename T>
T readFromText(const std::string& text) {
  TempDir dir;
  writeFile("record", text);
  std::ifstream in("record");
  return T(in);
}

#endif  // TUMBLENOOK_TESTS_TEST_UTIL_H_
