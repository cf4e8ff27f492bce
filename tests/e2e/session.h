// Expected text for whole sessions, written out from the game's rules: save
// records, menus, statistics screens, and a Session that collects what the
// player types and what the game prints in answer.

#ifndef TUMBLENOOK_TESTS_E2E_SESSION_H_
#define TUMBLENOOK_TESTS_E2E_SESSION_H_

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "game_runner.h"
#include "names.h"

namespace e2e {

struct SkillRecord {
  int points = 0, level = 0, experience = 0, rank = 0, gene1 = 0, gene2 = 0;
};

// One creature as its save record holds it; by default an egg called Pip.
struct Record {
  explicit Record(std::string name = "Pip", int age = 0, int reincarnated = 0)
      : name(std::move(name)), age(age), reincarnations(reincarnated) {}

  std::string name;
  int age, reincarnations;
  std::array<SkillRecord, kSkillCount> skills{};
  int form = 1, heroDark = 0, swimFly = 0, runPower = 0;
  std::array<int, 2> color{0, 0}, coat{0, 0}, shine{0, 0}, twotone{1, 1};

  std::string text() const {
    std::ostringstream out;
    out << "Name: " << name << "\nAge: " << age
        << "\nReincarnation: " << reincarnations << '\n';
    for (int i = 0; i < kSkillCount; ++i) {
      const SkillRecord& s = skills[i];
      out << SKILLS[i] << ": " << s.points << ' ' << s.level << ' '
          << s.experience << '\n'
          << s.rank << ' ' << s.gene1 << ' ' << s.gene2 << '\n';
    }
    out << "Evolution: " << form << ' ' << heroDark << ' ' << swimFly << ' '
        << runPower << "\nColor: " << color[0] << ' ' << color[1]
        << "\nCoat: " << coat[0] << ' ' << coat[1] << "\nShine: " << shine[0]
        << ' ' << shine[1] << "\nTwo-tone: " << twotone[0] << ' ' << twotone[1]
        << '\n';
    return out.str();
  }
};

using Garden = std::vector<Record>;

// `size` grown creatures, all different, aged 21 to 42: far from 50.
inline Garden garden(int size) {
  Garden creatures;
  for (int n = 0; n < size; ++n) {
    Record r("Mi" + std::to_string(n), 21 + 3 * n, n);
    for (int i = 0; i < kSkillCount; ++i) {
      r.skills[i] = {10 * n + i, n + i, 5 * i, (n + i) % 6, (n + 2 * i) % 6, i};
    }
    r.form = 5 + n, r.heroDark = n - 4, r.color = {n, 14 - n};
    r.coat = {n % 3, 17 - n}, r.shine = {n % 2, 0};
    creatures.push_back(r);
  }
  return creatures;
}

inline Garden aged(Garden creatures, int hours) {
  for (Record& r : creatures) r.age += hours;
  return creatures;
}

inline std::string saveFile(const Garden& creatures) {
  std::string text;
  for (const Record& r : creatures) text += r.text();
  return text;
}

// A save file without the rank lines (the only lines without a label), for
// creatures whose ranks were drawn at random.
inline std::string withoutRankLines(const std::string& file) {
  std::istringstream in(file);
  std::string kept, line;
  while (std::getline(in, line)) {
    if (line.find(':') != std::string::npos) kept += line + "\n";
  }
  return kept;
}

inline std::string listing(const Garden& creatures) {
  std::string text;
  for (size_t n = 0; n < creatures.size(); ++n) {
    text += std::to_string(n) + ": " + creatures[n].name + "\n";
  }
  return text;
}

inline std::string mainMenu(int size) {
  return std::string("Welcome to Tumblenook. Please select an action.\n\n") +
         "0) Leave the Garden\n1) Hatch a new Mirl\n" +
         (size > 0 ? "2) Name a Mirl\n3) Give a Mirl an item\n4) Pet a Mirl\n"
                     "5) View a Mirl''s Statistics\n"
                   : "") +
         (size > 1 ? "6) Breed two Mirl\n" : "") + "\nEnter an option: ";
}

inline const std::string kStatsMenu =
    "Which statistics should be printed?\n1) Name, Age, and Reincarnations\n"
    "2) Stats\n3) Evolution\n4) Breed\n5) Genotype\n0) Return to main menu\n"
    "\nEnter option: ";
inline const std::string kWhichStats =
    "Which mirl's statistics should be printed? ";
// The line on standard error that a full garden brings, once a game.
inline const std::string kMakeRoom =
    "tumblenook: to make room, leave and run the game with --release N: the "
    "creature in slot N leaves with a code that brings it back\n";
inline const std::string kEggMenu =
    "Which type of mirl egg should be hatched?\n1) Normal\n2) Monotone\n"
    "3) Shiny Monotone\n4) Jewel\nEnter choice: ";

// The five skill lines of the statistics view.
inline std::string skillLines(const Record& r) {
  std::string text;
  for (int i = 0; i < kSkillCount; ++i) {
    const SkillRecord& s = r.skills[i];
    const int full = s.experience / 10;
    text += SKILLS[i] + std::string(": ") + "EDCBAS"[s.rank] + " " +
            std::to_string(s.level) + " " + std::string(full, '+') +
            std::string(10 - full, '=') + " " + std::to_string(s.points) + "\n";
  }
  return text;
}

inline std::string sliderBar(int value) {
  std::string bar = "=====o=====";
  const int column = (value + 50) / 10;
  if (column >= 0 && column <= 10) bar[column] = column == 5 ? 'O' : '+';
  return bar;
}

// The evolution view: the form's name and the three sliders.
inline std::string formLines(const Record& r, const std::string& form) {
  return r.name + " is a " + form + " mirl.\nHero\t<" + sliderBar(r.heroDark) +
         ">\tDark\nSwim\t<" + sliderBar(r.swimFly) + ">\tFly\nRun\t<" +
         sliderBar(r.runPower) + ">\tPower\n";
}

// A session from the player's side. Each choice, in the main menu or the
// statistics menu, ages the garden one hour; `hours` counts them.
class Session {
 public:
  explicit Session(int gardenSize = 0) : size_(gardenSize) {}

  std::string input, output;
  int hours = 0;

  // The main menu is shown, `typed` entered (its lines), `answer` printed.
  Session& choose(const std::string& typed, const std::string& answer = "") {
    output += mainMenu(size_) + answer;
    return type(typed);
  }
  Session& view(const std::string& typed, const std::string& answer = "") {
    output += kStatsMenu + answer;
    return type(typed);
  }
  Session& leave() { return choose("0", "Goodbye!\n"); }
  // After a hatch or a breed: the garden holds `creatures` from now on,
  // which changes the main menu.
  Session& nowHolds(int creatures) {
    size_ = creatures;
    return *this;
  }

 private:
  // One choice and the lines that answer its questions: an hour passes.
  Session& type(const std::string& typed) {
    if (!typed.empty()) input += typed + "\n";
    ++hours;
    return *this;
  }

  int size_;  // creatures in the garden, which decides the main menu
};

inline GameSetup setup(const std::string& input, const Garden& creatures) {
  GameSetup game(input);
  if (!creatures.empty()) game.files["mirl.dat"] = saveFile(creatures);
  return game;
}

// Plays `game`, checking the whole output, the error output and the garden
// saved at the end.
inline void expectSession(const GameSetup& game, const std::string& output,
                          const std::string& saved,
                          const std::string& err = "") {
  const GameResult run = runGame(game);
  EXPECT_EQ(output, run.out);
  EXPECT_EQ(err, run.err);
  EXPECT_EQ(0, run.status);
  ASSERT_EQ(1u, run.files.count("mirl.dat"));
  EXPECT_EQ(saved, run.file("mirl.dat"));
}

}  // namespace e2e

#endif  // TUMBLENOOK_TESTS_E2E_SESSION_H_
