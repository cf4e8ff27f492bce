#include "portrait.h"

#include <cstring>
#include <string>

#include "names.h"

namespace {

constexpr int kDrawingLines = kPortraitDrawingLines - 1;
constexpr int kPortraitLines = kPortraitDrawingLines;  // the mark's on top
constexpr std::size_t kColumn = 11;                    // where the facts begin

enum Drawing {
  kEggDrawing,
  kChildDrawing,
  kNormalDrawing,
  kSwimDrawing,
  kFlyDrawing,
  kRunDrawing,
  kPowerDrawing
};

// The drawings, in the order of Drawing; the adult families in the order
// of EVOLUTIONS.
constexpr const char* kDrawings[][kDrawingLines] = {
    {"   .-.", "  /   \\", " (  ~  )", "  `---'"},
    {"", "  .---.", " ( o o )", "  `-v-'"},
    {"  .---.", " ( o o )", " /(   )\\", "  _) (_"},
    {"  .---.", " ( o o )", "<(~~~~~)>", " ~~~~~~~"},
    {"  .---.", " ( o o )", "/\\(   )/\\", "   ' '"},
    {"  .---.", " ( o o )", "==(   )", "  _/ \\_"},
    {"  .---.", " ( O O )", "@(=====)@", "  |_ _|"},
};

// The marks above the head, by the offset of a form in its family.
constexpr const char* kMarks[kFormsPerFamily] = {"", "  \\ | /", "  ^   ^"};

// The families that have a drawing of their own; Orvan, the sixth, and the
// character forms after it are drawn as Normal.
constexpr int kDrawnFamilies = 5;
constexpr int kAdultFamilies = 6;

// ANSI colour of each colour and coat (256-colour palette), as numbered in
// COLORS and COATS. Invisible is faint; coat 0 is no coat.
constexpr const char* kColorTints[COLOR_COUNT] = {
    "38;5;223", "38;5;226", "38;5;231", "38;5;130", "38;5;117",
    "38;5;218", "38;5;27",  "38;5;246", "38;5;34",  "38;5;196",
    "38;5;120", "38;5;129", "38;5;208", "38;5;240", "2"};
constexpr const char* kCoatTints[COAT_COUNT] = {
    "",         "38;5;220", "38;5;250", "38;5;161", "38;5;25",  "38;5;35",
    "38;5;135", "38;5;86",  "38;5;124", "38;5;238", "38;5;148", "38;5;214",
    "38;5;255", "38;5;245", "38;5;245", "38;5;159", "38;5;229", "38;5;201"};

struct Picture {
  Drawing drawing;
  const char* mark;
};

Picture pictureOf(int form) {
  if (form == kEggForm) return {kEggDrawing, kMarks[0]};
  if (form < kNormalForms || !inTable(EVOLUTIONS, form)) {
    return {kChildDrawing, kMarks[0]};
  }
  const int family = (form - kNormalForms) / kFormsPerFamily;
  if (family >= kAdultFamilies) return {kNormalDrawing, kMarks[0]};
  const char* mark = kMarks[(form - kNormalForms) % kFormsPerFamily];
  if (family >= kDrawnFamilies) return {kNormalDrawing, mark};
  return {static_cast<Drawing>(kNormalDrawing + family), mark};
}

// The escape sequence that starts the creature's tint.
std::string tintOf(const Breed& looks) {
  const int coat = looks.getCoat(0);
  const int color = looks.getColor(0);
  std::string tint = looks.getShine(0) ? "\033[1;" : "\033[";
  if (coat != 0 && inTable(COATS, coat)) {
    tint += kCoatTints[coat];
  } else {
    tint += kColorTints[inTable(COLORS, color) ? color : 0];
  }
  return tint + "m";
}

const char* sideOf(int value, const char* left, const char* right) {
  if (value < 0) return left;
  return value > 0 ? right : "middle";
}

std::string slider(const char* left, const char* right, int value) {
  return std::string(left) + "/" + right + " " + std::to_string(value) + " " +
         sideOf(value, left, right);
}

std::string skills(const Mirl& creature) {
  std::string line = "skills ";
  for (int skill = 0; skill < kSkillCount; ++skill) {
    const Stat stat = creature.getSkill(static_cast<Skill>(skill));
    if (skill > 0) line += ", ";
    line += std::string(SKILLS[skill]) + " " + stat.getRankLetter() + " " +
            std::to_string(stat.getLevel());
  }
  return line;
}

}  // namespace

std::array<std::string, kPortraitDrawingLines> drawingOf(int form) {
  const Picture picture = pictureOf(form);
  std::array<std::string, kPortraitDrawingLines> lines;
  lines[0] = picture.mark;
  for (int line = 1; line < kPortraitDrawingLines; ++line) {
    lines[line] = kDrawings[picture.drawing][line - 1];
  }
  return lines;
}

bool wantColour(bool terminal, const char* noColor, const char* term) {
  const bool noColorSet = noColor != nullptr && noColor[0] != '\0';
  return terminal && !noColorSet && term != nullptr &&
         std::strcmp(term, "dumb") != 0;
}

void printPortrait(std::ostream& out, int slot, const Mirl& creature,
                   bool colour) {
  const Evolution evolution = creature.getEvolution();
  const Breed looks = creature.getBreed();
  const std::array<std::string, kPortraitDrawingLines> drawing =
      drawingOf(evolution.getEvolution());
  const std::string facts[kPortraitLines] = {
      "age " + std::to_string(creature.getAge()) + ", reincarnations " +
          std::to_string(creature.getReincarnations()),
      "form " + evolution.getEvolutionText(), skills(creature),
      "sliders " + slider("Hero", "Dark", evolution.getHeroDark()) + ", " +
          slider("Swim", "Fly", evolution.getSwimFly()) + ", " +
          slider("Run", "Power", evolution.getRunPower()),
      "looks " + looks.getPhenotype() + (looks.isPure() ? ", purebred" : "")};
  const std::string tint = colour ? tintOf(looks) : "";
  out << slot << ": " << creature.getName() << '\n';
  for (int line = 0; line < kPortraitLines; ++line) {
    const std::string& drawn = drawing[line];
    if (colour && !drawn.empty()) {
      out << tint << drawn << "\033[0m";
    } else {
      out << drawn;
    }
    out << std::string(kColumn - drawn.size(), ' ') << facts[line] << '\n';
  }
}
