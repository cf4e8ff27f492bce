#include "key_table.h"

#include "actions.h"
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
      {'e', "Plan",
       "the egg planner: choose the egg you want, see which pair gives it",
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

std::string helpLine(const KeyBinding& binding) {
  std::string line = utf8Of(binding.key);
  line.resize(kHelpKeyColumns, ' ');
  return line + binding.help;
}
