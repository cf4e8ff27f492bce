// The garden file: the lock that keeps one game per garden, loading the
// garden from its save file, saving it back atomically, and keeping a copy
// of a damaged file.
//
// A garden file that is a symbolic link is followed: the garden is read and
// saved where the link points, and the lock, the backups and the temporaries
// of a save lie beside that file. Whatever is not a regular file is refused
// without blocking, and every read and write is checked.
//
// Messages about files go to standard error, never to standard output,
// which belongs to the console.

#ifndef TUMBLENOOK_GARDEN_FILE_H_
#define TUMBLENOOK_GARDEN_FILE_H_

#include <string>
#include <vector>

#include "garden.h"

// The garden's save file, in the folder the game runs in.
inline constexpr char kGardenFile[] = "mirl.dat";

// Makes this process the only game on the garden at `path` until it ends,
// and checks before anything is read that the garden can be saved at the
// end: a link that leads nowhere, a garden that is not a regular file and a
// folder where no file can be written are refused. Then removes the
// temporaries that a game killed while saving left behind. Returns false,
// with one line on standard error, when another game holds the garden or it
// could not be saved: the caller must then stop, changing nothing.
bool claimGarden(const std::string& path);

// Loads the save file at `path` into `into`, an empty garden, up to
// CAPACITY records, and its book beside it (loadBook); a missing file
// leaves it empty. Names unsafe to print are
// repaired (safe_text.h). A record that does not parse is left out, and loading
// goes on at the next line that begins with "Name:", so that every healthy
// record loads. When the file holds anything that could not be loaded (a
// damaged record, more records than slots, more bytes than any garden
// needs), or when a name was repaired, the whole original is copied to
// "<file>.bak" (or "<file>.bak.1", ".2" ... when an earlier copy of other
// damage is there), with a note on standard error that counts the records
// left out.
// Returns false, with a message on standard error, when the file exists but
// cannot be read whole (a read error is never taken for its end), is not a
// regular file, or when that copy could not be made: the caller must then not
// overwrite the file.
bool loadGarden(Garden& into, const std::string& path);

// Loads the save file at `path` into `into` as loadGarden does, but changes
// no file: nothing is copied when some records could not be loaded or names
// were repaired, only a note goes to standard error, which counts the
// records left out. Takes no lock, so it may look at a garden that a game is
// playing. Returns false, with a message on standard error, when the file
// exists but cannot be read.
bool viewGarden(Garden& into, const std::string& path);

// Replaces the save file at `path` with the records of `garden` (which
// saving validates), then the book beside it with the garden's book, each
// atomically:
// the file holds either the old garden or the new one, never part of one.
// The new file keeps the old one's mode. Returns false, with a message on
// standard error, when it could not; the old file is then untouched. When
// the new file is in place but its folder could not be synced, a warning
// on standard error says that the save may not survive a power cut, and
// the result is true.
bool saveGarden(Garden& garden, const std::string& path);

// The gardener's book (book.h), kept beside the garden's save file.
inline constexpr char kBookFile[] = "book.txt";

// Reads the book beside the garden whose file is `gardenTarget` into
// `into`; loadGarden does this. A missing book leaves `into` as it is. A
// damaged or hand-edited book never stops the game: what can be read is
// kept, the whole file is copied to "book.txt.bak" (or ".bak.1" ...) with
// a note on standard error. A book that cannot be read, or whose copy
// cannot be made, is left as it is: a note says so, and false tells the
// caller not to replace it (Garden::bookFileKept).
bool loadBook(Book& into, const std::string& gardenTarget);

// Reads the book beside the garden file `gardenPath` into `into`, changing
// no file: a damaged book gives what can be read, with a note on standard
// error. False, with a message, when it exists but cannot be read.
bool viewBook(Book& into, const std::string& gardenPath);

// The file beside the garden where the codes of creatures released on the
// screen are kept, one a line.
inline constexpr char kReleasedCodesFile[] = "released-codes.txt";

// Appends `codes`, one a line, to the file at `path` (made when missing)
// and syncs it, so that a creature released in play never lives only in
// memory. Nothing to do for no codes. Returns false, with a message on
// standard error, when they could not all be written: the caller must then
// keep the old garden, which still holds those creatures.
bool keepReleasedCodes(const std::string& path,
                       const std::vector<std::string>& codes);

#endif  // TUMBLENOOK_GARDEN_FILE_H_
