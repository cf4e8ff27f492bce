#include "key_table.h"

#include "actions.h"
#include "evolution.h"
#include "text_field.h"

namespace {

// The help's first column: the key, padded to where its words begin.
constexpr std::size_t kHelpKeyColumns = 10;

std::vector<KeyBinding> makeTable() {
  const std::string nameLimit = std::to_string(kMaxNameBytes);
  return {
      {'h', "Hatch", "hatch an egg: Normal, Monotone, Shiny Monotone or Jewel",
       Command::kHatch},
      {'n', "Name",
       "name the selected mirl (one word, at most " + nameLimit + " bytes)",
       Command::kName},
      {'g', "Give", "give it a fruit, an Orvan Drive or a small animal",
       Command::kGive},
      {'p', "Pet", "pet it (only a Child's alignment moves)", Command::kPet},
      {'b', "Breed",
       "breed it with another grown mirl; the forecast shows the egg",
       Command::kBreed},
      {'r', "Release", "release it: its code is shown, y lets it go",
       Command::kRelease},
      {'i', "Import",
       "import a creature from its code into the first empty slot",
       Command::kImport},
      {'.', "Again", "do the last action again on the selected mirl (one hour)",
       Command::kRepeat},
      {'l', "Log", "the log: every answer of this game, newest first",
       Command::kLog},
      {'e', "Plan", "the egg planner: which pair gives the egg you want",
       Command::kPlan},
      {'k', "Book", "the gardener's book: every form, colour and coat seen",
       Command::kBook},
      {'?', "Help", "this help", Command::kHelp},
      {'q', "Leave", "leave: one last hour passes and the garden is saved",
       Command::kLeave},
  };
}

}  // namespace

const std::vector<KeyBinding>& keyTable() {
  static const std::vector<KeyBinding> table = makeTable();
  return table;
}

const KeyBinding* bindingOf(wchar_t key) {
  for (const KeyBinding& binding : keyTable()) {
    if (binding.key == key) return &binding;
  }
  return nullptr;
}

namespace {

// The help's paragraphs, made once: see helpParagraphs.
std::vector<std::string> helpText() {
  std::vector<std::string> lines = {
      "0-7       select the mirl in that slot; arrow keys move the selection"};
  for (const KeyBinding& binding : keyTable()) {
    if (!binding.help.empty()) lines.push_back(helpLine(binding));
  }
  const std::string evolve = std::to_string(kEvolveAge);
  const std::string leaning = std::to_string(kSliderLeaning);
  lines.insert(
      lines.end(),
      {"In a list, type the number shown beside an entry and press Enter, "
       "or choose with the arrow keys and Enter. Esc cancels any dialog.",
       "Every action you finish is one hour for every mirl; looking, a "
       "cancelled dialog, a refusal, a release and an import cost no hour. "
       "Ctrl-C leaves as q does; Ctrl-Z suspends, and fg comes back.",
       "At " + evolve + "h a mirl takes its form: a shape slider beyond " +
           leaning +
           " on its side (Swim, Fly, Run or Power) wins when the other one is "
           "nearer 0; both as far, or neither beyond " +
           leaning + ", gives Normal. Hero-Dark beyond " + leaning +
           " gives Hero or Dark.",
       "In the help, the arrows and Page Up and Page Down scroll; any other "
       "key goes back to the garden."});
  return lines;
}

}  // namespace

const std::vector<std::string>& helpParagraphs() {
  static const std::vector<std::string> paragraphs = helpText();
  return paragraphs;
}

std::string helpLine(const KeyBinding& binding) {
  std::string line = utf8Of(binding.key);
  line.resize(kHelpKeyColumns, ' ');
  return line + binding.help;
}
