// The garden file: loading the garden from its save file, saving it back
// atomically, and keeping a copy of a damaged file.
//
// Messages about files go to standard error, never to standard output,
// which belongs to the console.

#ifndef TUMBLENOOK_GARDEN_FILE_H_
#define TUMBLENOOK_GARDEN_FILE_H_

#include <string>

// Loads the garden from the save file at `path`, up to CAPACITY records; a
// missing file gives an empty garden. When the file holds anything that
// could not be loaded (a damaged record, more records than slots), the
// records before it are kept and the whole original is copied to
// "<path>.bak" (or "<path>.bak.1", ".2" ... when an earlier copy of other
// damage is there), with a note on standard error. Returns false, with a
// message on standard error, when the file exists but cannot be read or when
// that copy could not be made: the caller must then not overwrite the file.
bool loadGarden(const std::string& path);

// Loads the garden from the save file at `path` as loadGarden does, but
// changes no file: nothing is copied when some records could not be loaded,
// only a note goes to standard error. Takes no lock, so it may look at a
// garden that a game is playing. Returns false, with a message on standard
// error, when the file exists but cannot be read.
bool viewGarden(const std::string& path);

// Replaces the save file at `path` with the garden's records, atomically:
// the file holds either the old garden or the new one, never part of one.
// Returns false, with a message on standard error, when it could not; the
// old file is then untouched.
bool saveGarden(const std::string& path);

#endif  // TUMBLENOOK_GARDEN_FILE_H_
