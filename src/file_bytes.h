// Whole files read into memory: the garden file and the item catalogue.

#ifndef TUMBLENOOK_FILE_BYTES_H_
#define TUMBLENOOK_FILE_BYTES_H_

#include <string>

// The whole content of the file at `path`; empty when it cannot be read.
std::string readFile(const std::string& path);

#endif  // TUMBLENOOK_FILE_BYTES_H_
