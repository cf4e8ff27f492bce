// The screen's keys in one table: each key of the garden's top level with
// its label in the key bar, its line in the help, and the command it runs.
// The game dispatches from it, the key bar and the help are drawn from it,
// so a key is added, renamed or explained in one place.

#ifndef TUMBLENOOK_KEY_TABLE_H_
#define TUMBLENOOK_KEY_TABLE_H_

#include <string>
#include <vector>

// What a key of the top level does; the game carries each out.
enum class Command {
  kHatch,
  kName,
  kGive,
  kPet,
  kBreed,
  kRelease,
  kImport,
  kRepeat,
  kLog,
  kPlan,
  kBook,
  kHelp,
  kLeave,
};

// One key of the top level.
struct KeyBinding {
  wchar_t key;        // the character typed
  std::string label;  // its word in the key bar
  std::string help;   // its line in the help; empty for none
  Command command;
};

// Every key of the top level, in the key bar's order.
const std::vector<KeyBinding>& keyTable();

// The binding of the typed character `key`, or null when it has none.
const KeyBinding* bindingOf(wchar_t key);

// The help's line for `binding`: its key, then what it does, in columns.
// REQUIRES: !binding.help.empty().
std::string helpLine(const KeyBinding& binding);

// The help, a paragraph an entry: the keys that select, each line of the
// key table, then how lists, time and forms work. Made once.
const std::vector<std::string>& helpParagraphs();

#endif  // TUMBLENOOK_KEY_TABLE_H_
