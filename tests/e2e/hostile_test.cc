// Hostile sessions against the real game, generated from a seed: damaged
// save files (cut short, words where numbers belong, two-word names, numbers
// too big for an int, more than eight records, random bytes), damaged or
// missing catalogue files, and hostile typing (numbers outside every
// listing, words inside actions, input that stops mid-action or never
// leaves). Whatever it is fed, the game must end by itself, unharmed, and
// leave a save file of whole records in range that holds at least the
// creatures it could load; a garden it could not load whole is kept as
// mirl.dat.bak, byte for byte.
//
// A failing case prints its seed; TUMBLENOOK_HOSTILE_SEED=<seed>
// TUMBLENOOK_HOSTILE_CASES=1 replays it alone (in the first shard).

#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdlib>
#include <limits>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <system_error>
#include <utility>
#include <vector>

#include "game_runner.h"
#include "garden.h"
#include "names.h"

namespace {

constexpr int kShards = 4;
constexpr unsigned kDefaultSeed = 20240611;
constexpr int kDefaultCases = 400;
constexpr std::chrono::milliseconds kTimeLimit{5000};

int envNumber(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::atoi(value) : fallback;
}

class Dice {
 public:
  explicit Dice(unsigned seed) : rng_(seed) {}
  int roll(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(rng_);
  }
  bool chance(int percent) { return roll(1, 100) <= percent; }
  template <typename T>
  const T& pick(const std::vector<T>& from) {
    return from[roll(0, static_cast<int>(from.size()) - 1)];
  }

 private:
  std::mt19937 rng_;
};

// --- The save record, word by word ---------------------------------------

std::vector<std::string> wordsOf(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

// A record as the reader sees it, word by word: each a label that must stand
// as written, a name ("*"), or a number whose range a letter names: N counts,
// L levels and experience, R ranks, F the form, S sliders, C colours, K
// coats, B booleans.
const std::vector<std::string> kLayout = wordsOf(
    "Name: * Age: N Reincarnation: N Swim: N L L R R R Run: N L L R R R "
    "Power: N L L R R R Fly: N L L R R R Stamina: N L L R R R "
    "Evolution: F S S S Color: C C Coat: K K Shine: B B Two-tone: B B");
const std::map<char, std::pair<int, int>> kRanges = {
    {'N', {0, std::numeric_limits<int>::max()}},
    {'L', {0, 100}},
    {'R', {0, 5}},
    {'F', {0, EVOLUTION_COUNT - 1}},
    {'S', {-50, 50}},
    {'C', {0, COLOR_COUNT - 1}},
    {'K', {0, COAT_COUNT - 1}},
    {'B', {0, 1}}};
const size_t kWordsPerRecord = kLayout.size();

bool wordFits(const std::string& pattern, const std::string& word) {
  if (pattern == "*") return true;
  if (pattern.back() == ':') return word == pattern;
  int value = 0;
  const char* end = word.data() + word.size();
  const auto [stop, error] = std::from_chars(word.data(), end, value);
  const auto [low, high] = kRanges.at(pattern[0]);
  return error == std::errc() && stop == end && value >= low && value <= high;
}

// The number of records in a save file the game wrote, or -1 when it is not
// whole records in range (the first word that is not, in `problem`).
int countRecords(const std::string& file, std::string& problem) {
  const std::vector<std::string> words = wordsOf(file);
  for (size_t i = 0; i < words.size(); ++i) {
    if (!wordFits(kLayout[i % kWordsPerRecord], words[i])) {
      problem = "word " + std::to_string(i) + ": " + words[i];
      return -1;
    }
  }
  const int records = static_cast<int>(words.size() / kWordsPerRecord);
  if (words.size() % kWordsPerRecord != 0 || records > CAPACITY) {
    problem = std::to_string(words.size()) + " words";
    return -1;
  }
  return records;
}

// --- Generating hostile setups -------------------------------------------

std::string validRecord(Dice& dice, int index) {
  // Counts (age, reincarnations, points) have no upper bound; keep them
  // readable.
  constexpr int kLargestCount = 900;
  constexpr int kPettableForm = 2;  // the only form in which a pat counts
  std::string record;
  for (const std::string& pattern : kLayout) {
    if (pattern == "*") {
      record += "M" + std::to_string(index);
    } else if (pattern.back() == ':') {
      record += "\n" + pattern;
    } else if (pattern == "F" && dice.chance(30)) {
      record += std::to_string(kPettableForm);
    } else {
      const auto [low, high] = kRanges.at(pattern[0]);
      record += std::to_string(dice.roll(low, std::min(high, kLargestCount)));
    }
    record += ' ';
  }
  return record.substr(1) + '\n';
}

std::string catalogue(Dice& dice, bool animals) {
  std::string text = "A B C D E F G H\n";
  for (int i = dice.roll(0, 40); i > 0; --i) {
    if (animals) text += std::to_string(dice.roll(-2, 9)) + ' ';
    text += "Item" + std::to_string(i);
    for (int n = 0; n < 7; ++n)
      text += ' ' + std::to_string(dice.roll(-20, 20));
    text += '\n';
  }
  return text;
}

struct Damage {
  size_t at;  // offset of the first byte changed; the size when none is
  bool cut;   // the text was cut short at `at`
};

Damage damage(Dice& dice, std::string& text) {
  static const std::vector<std::string> kWords = {
      "x", "99999999999", "Two words", "-", "2", "1.5", "\x01\xff"};
  if (text.empty()) return {0, false};
  size_t at = dice.roll(0, static_cast<int>(text.size()) - 1);
  switch (dice.roll(0, 4)) {
    case 0:
      text.resize(at);
      return {at, true};
    case 1: {  // a word replaced
      at = text.find_first_of(" \n", at);
      if (at == std::string::npos) return {text.size(), false};
      const size_t end =
          std::min(text.find_first_of(" \n", at + 1), text.size());
      text.replace(at + 1, end - at - 1, dice.pick(kWords));
      return {at + 1, false};
    }
    case 2:  // random bytes
      for (int n = dice.roll(1, 4); n > 0; --n) {
        const size_t where = dice.roll(static_cast<int>(at), text.size() - 1);
        text[where] = static_cast<char>(dice.roll(0, 255));
      }
      return {at, false};
    case 3:  // nothing but noise
      text.clear();
      for (int n = dice.roll(0, 300); n > 0; --n) {
        text += static_cast<char>(dice.roll(0, 255));
      }
      return {0, false};
    default:
      return {text.size(), false};
  }
}

std::string hostileInput(Dice& dice) {
  static const std::vector<std::string> kAnswers = {
      "0",           "1",  "2",         "3",          "4",
      "8",           "-1", "1000000",   "2147483647", "-2147483648",
      "99999999999", "x",  "Two words", "6 6",        "\x7f"};
  std::string input;
  for (int action = dice.roll(0, 25); action > 0; --action) {
    if (dice.chance(10)) {  // the largest pat, twice
      const std::string pat =
          "4\n" + std::to_string(dice.roll(0, 7)) + "\n2147483647\n";
      input += pat + pat;
      continue;
    }
    input += std::to_string(dice.roll(1, 7)) + '\n';
    for (int n = dice.roll(0, 4); n > 0; --n) {
      input += dice.pick(kAnswers) + (dice.chance(80) ? "\n" : " ");
    }
  }
  if (dice.chance(30)) input.resize(dice.roll(0, input.size()));
  if (dice.chance(50)) input += "0\n";
  return input;
}

// --- The sessions --------------------------------------------------------

class HostileSessions : public testing::TestWithParam<int> {};

TEST_P(HostileSessions, EndCleanlyAndKeepTheGarden) {
  const int cases = envNumber("TUMBLENOOK_HOSTILE_CASES", kDefaultCases);
  const unsigned base = envNumber("TUMBLENOOK_HOSTILE_SEED", kDefaultSeed);
  const int perShard = (cases + kShards - 1) / kShards;
  for (int i = 0; i < perShard && GetParam() * perShard + i < cases; ++i) {
    const unsigned seed = base + GetParam() * perShard + i;
    SCOPED_TRACE("hostile session seed " + std::to_string(seed));
    Dice dice(seed);
    std::string save;
    std::vector<size_t> recordEnds;
    for (int r = dice.roll(0, 11); r > 0; --r) {
      save += validRecord(dice, r);
      recordEnds.push_back(save.size());
    }
    const bool damaged = dice.chance(70);
    const Damage hurt =
        damaged ? damage(dice, save) : Damage{save.size(), false};
    const int intact =
        std::upper_bound(recordEnds.begin(), recordEnds.end(), hurt.at) -
        recordEnds.begin();
    // Past its intact records the file holds more than fits the garden or,
    // when it was cut, part of a record: it cannot load whole.
    const std::string rest =
        save.substr(intact > 0 ? recordEnds[intact - 1] : 0);
    const bool mustBackUp =
        intact > CAPACITY ||
        (hurt.cut && wordsOf(rest).size() % kWordsPerRecord != 0);
    GameSetup setup(hostileInput(dice));
    setup.seed = seed;
    setup.timeout = kTimeLimit;
    if (dice.chance(90)) setup.files["mirl.dat"] = save;
    for (const char* name : {"fruits.dat", "animals.dat"}) {
      std::string data = catalogue(dice, name[0] == 'a');
      damage(dice, data);
      if (dice.chance(85)) setup.files[name] = data;
    }
    setup.shippedCatalogue = false;

    const GameResult run = runGame(setup);
    ASSERT_FALSE(run.timedOut);
    EXPECT_EQ(0, run.status);
    EXPECT_EQ(std::string::npos, run.err.find("Sanitizer"));
    EXPECT_EQ(std::string::npos, run.err.find("runtime error"));
    std::string problem;
    const int saved = countRecords(run.file("mirl.dat"), problem);
    EXPECT_EQ("", problem);
    if (setup.files.count("mirl.dat") == 0) continue;
    EXPECT_GE(saved, std::min(intact, CAPACITY)) << "creatures lost";
    const bool backedUp = run.files.count("mirl.dat.bak") != 0;
    EXPECT_TRUE(!backedUp || save == run.file("mirl.dat.bak")) << "bad copy";
    EXPECT_TRUE(backedUp || !mustBackUp) << "damaged garden not kept";
    EXPECT_TRUE(!backedUp || mustBackUp || damaged) << "sound garden copied";
    if (HasFailure()) return;
  }
}

INSTANTIATE_TEST_SUITE_P(Shards, HostileSessions, testing::Range(0, kShards));

}  // namespace
