// The full-screen game's top level: the garden, the selected creature, the
// open dialog, and what each key does to them. It turns keys into the
// actions of the rules (actions.h), says in the screen's words (see
// screen_words.h) what they did or why they could not be done, and runs the
// hour after each completed action.
//
// Time passes as in the line game: each completed action (hatch, name,
// give, pet, breed) is one choice, after which the age tick runs, and
// leaving runs it once more. Looking, a cancelled dialog, a refusal, a
// release and an import cost no hour, and a refusal draws nothing from
// rand, so that the screen and the line game leave the same garden for the
// same choices.
//
// The game needs no terminal: keys go in (key.h), and the view
// (screen_view.h) reads what it shows from here, so tests play it whole.

#ifndef TUMBLENOOK_SCREEN_GAME_H_
#define TUMBLENOOK_SCREEN_GAME_H_

#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "garden.h"
#include "items.h"
#include "key.h"
#include "key_table.h"
#include "list_picker.h"
#include "planner_view.h"
#include "text_field.h"

// The dialogs, each with only the state it needs.
struct HelpDialog {
  int first = 0;  // the first paragraph of the help shown
};
struct EggKindDialog {
  ListPicker list;
};
struct GeneDialog {
  int eggKind;  // the kind of egg that asks for the gene
  ListPicker list;
};
struct NameDialog {
  TextField field{FieldFilter::kName};
};
struct ItemKindDialog {
  // The catalogue, read as the dialog opens, as the line game reads it at
  // every give, so that an edited file counts at once.
  std::shared_ptr<const ItemCollection> items;
  ListPicker list;
};
struct ItemDialog {
  std::shared_ptr<const ItemCollection> items;
  int kind;  // an ItemKind
  ListPicker list;
};
struct PetDialog {
  ListPicker list;
};
struct BreedDialog {
  ListPicker list;  // the partners
};
struct ReleaseDialog {
  std::string code;  // of the creature that would leave
};
struct ImportDialog {
  TextField field{FieldFilter::kCode};
};
struct LogDialog {
  int first = 0;  // the first entry shown, newest first
};
struct PlannerDialog {
  PlannerState state;
};
struct BookDialog {
  int first = 0;  // the first line of the book shown
};

// The garden's boxes stand in two columns: Up and Down move a row.
inline constexpr int kBoxesPerRow = 2;

// The smallest window the screen plays in.
inline constexpr int kScreenRows = 24;
inline constexpr int kScreenColumns = 80;

// The rows that the planner and the book fill in a window of `rows`: all
// but the title's row above them and the answer's and the keys' below.
inline constexpr int fullDialogRows(int rows) { return rows - 3; }

// The open dialog; std::monostate when the garden has the keys.
using Dialog = std::variant<std::monostate, HelpDialog, EggKindDialog,
                            GeneDialog, NameDialog, ItemKindDialog, ItemDialog,
                            PetDialog, BreedDialog, ReleaseDialog, ImportDialog,
                            LogDialog, PlannerDialog, BookDialog>;

// One answer of the game, as the log keeps it.
struct News {
  std::string text;
  bool standsOut = false;  // a birth, an evolution or a reincarnation
};

// The most answers the log keeps; the oldest go first.
inline constexpr std::size_t kLogLength = 500;

// The last completed action, which `.` does again on the selected
// creature. What each kind uses of it: hatch the egg kind and gene, name
// the name, give the item kind and index, pet the alignment, breed the
// partner.
struct LastAction {
  Command command;
  int kind = 0;    // egg kind or item kind
  int choice = 0;  // gene, item index, alignment or partner
  std::string name;
};

class ScreenGame {
 public:
  // What a key did: the game goes on, or the player leaves.
  enum class Outcome { kGoOn, kLeave };

  // A game on `garden`, which must outlive it; slot 0 is selected.
  explicit ScreenGame(Garden& garden) : garden_(garden) {}

  // Acts on one key; kLeave when the player leaves with q.
  Outcome onKey(const Key& key);

  // The window's size, for the keys that scroll what fills it (the book):
  // kScreenRows by kScreenColumns until told.
  void setWindow(int rows, int columns) {
    windowRows_ = rows;
    windowColumns_ = columns;
  }

  // Runs the hour of leaving, as choice 0 of the line game does.
  void leave() { garden_.ageMirl(); }

  const Garden& garden() const { return garden_; }
  // The slot of the selected creature (it may be empty).
  int selected() const { return selected_; }
  // The line that answers the last key.
  const std::string& answer() const { return answer_; }
  // True when the answer tells of a birth, an evolution or a reincarnation.
  bool answerStandsOut() const { return standsOut_; }
  // Every answer of this game, oldest first, at most kLogLength.
  const std::vector<News>& log() const { return log_; }
  // True when `command` can act now: the key bar shows only these.
  bool canRun(Command command) const;
  const Dialog& dialog() const { return dialog_; }
  // The catalogue as last read: when the game began, and at every give.
  const ItemCollection& catalogue() const { return *catalogue_; }
  // The codes of the creatures released in this game, in order.
  const std::vector<std::string>& released() const { return released_; }

 private:
  Outcome onTopKey(const Key& key);
  void run(Command command);
  void say(std::string answer, bool standsOut = false);
  void repeat();
  void select(int slot);
  void moveSelection(KeyKind kind);
  // Opens `dialog` over the garden, the answer line cleared.
  void open(Dialog dialog);
  // Closes the open dialog with `answer`.
  void close(std::string answer);
  std::optional<int> pickWith(ListPicker& list, const Key& key);

  void onKeyIn(EggKindDialog& dialog, const Key& key);
  void onKeyIn(GeneDialog& dialog, const Key& key);
  void onKeyIn(NameDialog& dialog, const Key& key);
  void onKeyIn(ItemKindDialog& dialog, const Key& key);
  void onKeyIn(ItemDialog& dialog, const Key& key);
  void onKeyIn(PetDialog& dialog, const Key& key);
  void onKeyIn(BreedDialog& dialog, const Key& key);
  void onKeyIn(const ReleaseDialog& dialog, const Key& key);
  void onKeyIn(ImportDialog& dialog, const Key& key);
  void onKeyIn(LogDialog& dialog, const Key& key);
  void onKeyIn(PlannerDialog& dialog, const Key& key);
  void scrollHelp(HelpDialog& help, const Key& key);
  // Keeps the remembered action's partner when slot `slot` was released.
  void followRelease(int slot);
  void onKeyIn(BookDialog& dialog, const Key& key);

  void startHatch();
  void startName();
  void startGive();
  void startPet();
  // Opens the breed dialog of the selected creature, with `partner` (a
  // slot) highlighted when it is on the list.
  void startBreed(int partner = -1);
  void startRelease();
  void startImport();

  void hatch(int kind, int gene);
  void openItems(std::shared_ptr<const ItemCollection> items, int kind);
  void give(const ItemCollection& items, int kind, int index);
  void pet(int alignment);
  void onPickedPartner(ListPicker& partners, int partner);
  void breedWith(int partner);
  void rename(const std::string& named);
  // Why `.` cannot act now, in words; empty when it can.
  std::string repeatRefusal() const;
  void importCode(ImportDialog& dialog);

  // Runs the age tick after a completed action; the answer is `answer`
  // and what the hour brought (evolutions, reincarnations).
  void passHour(const std::string& answer, bool birth = false);

  // The name of the creature in `slot`.
  std::string nameIn(int slot) const { return garden_.mirl[slot].getName(); }

  Garden& garden_;
  int selected_ = 0;
  int windowRows_ = kScreenRows;
  int windowColumns_ = kScreenColumns;
  std::string answer_;
  bool standsOut_ = false;
  std::vector<News> log_;
  Dialog dialog_;
  std::optional<LastAction> last_;
  std::shared_ptr<const ItemCollection> catalogue_ =
      std::make_shared<const ItemCollection>();
  std::vector<std::string> released_;
};

#endif  // TUMBLENOOK_SCREEN_GAME_H_
