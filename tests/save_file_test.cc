// The garden save file: one creature record read and written back, and
// loading and saving the whole garden with its damage and failure handling.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "garden.h"
#include "garden_file.h"
#include "mirl.h"
#include "test_util.h"

namespace {

namespace fs = std::filesystem;
using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

constexpr char kSave[] = "mirl.dat";
constexpr char kBackup[] = "mirl.dat.bak";
const std::string kPip =
    "Name: Pip\nAge: 12\nReincarnation: 0\nSwim: 35 2 40\n1 2 1\n"
    "Run: 13 1 64\n0 0 3\nPower: 0 0 12\n2 2 4\nFly: 17 1 8\n1 1 0\n"
    "Stamina: 44 2 96\n3 5 3\nEvolution: 1 0 -3 6\nColor: 4 9\nCoat: 0 0\n"
    "Shine: 0 1\nTwo-tone: 1 1\n";

std::string edit(std::string text, const std::string& from,
                 const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

std::string pip(const std::string& name) { return edit(kPip, "Pip", name); }

// A garden file of one Pip a letter of `pattern`, each named by its place
// ("P0", "P1", ...): whole for '.', with a word for its age for 'x'.
std::string records(const std::string& pattern) {
  std::string text;
  for (std::size_t at = 0; at < pattern.size(); ++at) {
    const std::string record = pip("P" + std::to_string(at));
    text += pattern[at] == 'x' ? edit(record, "Age: 12", "Age: abc") : record;
  }
  return text;
}

long lines(const std::string& text) {
  return std::count(text.begin(), text.end(), '\n');
}

std::string saveRecord(Mirl creature) {
  std::ofstream out("saved");
  creature.save(out);
  out.close();
  return readFile("saved");
}

// A creature's values as held in memory; saving would repair them first.
std::string values(const Mirl& m) {
  std::ostringstream s;
  s << m.getName() << ' ' << m.getAge() << ' ' << m.getReincarnations();
  for (const Stat& k :
       {m.getSwim(), m.getRun(), m.getPower(), m.getFly(), m.getStamina()}) {
    s << ' ' << k.getPoints() << ' ' << k.getLevel() << ' ' << k.getExperience()
      << ' ' << k.getRank(0) << k.getRank(1) << k.getRank(2);
  }
  const Evolution e = m.getEvolution();
  s << ' ' << e.getEvolution() << ' ' << e.getHeroDark() << ' '
    << e.getSwimFly() << ' ' << e.getRunPower();
  const Breed b = m.getBreed();
  for (int i : {0, 1}) {
    s << ' ' << b.getColor(i) << ' ' << b.getCoat(i) << b.getShine(i)
      << b.getTwotone(i);
  }
  return s.str();
}

TEST(SaveRecord, ReadsBackTheSameWhateverTheLayoutOrLabels) {
  TempDir dir;
  EXPECT_EQ(kPip, saveRecord(readFromText<Mirl>(kPip)));
  for (const auto& [pattern, by] : {std::pair{"\n", " "},
                                    {" ", "\n"},
                                    {"Two-tone", "Two-Tone"},
                                    {"[A-Za-z-]+:", "X:"}}) {
    const std::string text = std::regex_replace(kPip, std::regex(pattern), by);
    EXPECT_EQ(kPip, saveRecord(readFromText<Mirl>(text))) << text;
  }
}

TEST(SaveRecord, BringsValuesIntoRangeAsItReads) {
  const struct {
    const char *from, *bad, *clamped;
  } cases[] = {
      {"Pip", "_", "_"},
      {"Pip", "\x1B[2J\xC3\x89\xFF", "_[2J\xC3\x89_"},
      {"Age: 12", "Age: -5", "Age: 0"},
      {"Reincarnation: 0", "Reincarnation: -3", "Reincarnation: 0"},
      {"35 2 40", "35 150 40", "35 100 40"},
      {"44 2 96", "44 2 170", "44 2 100"},
      {"17 1 8", "-9 1 8", "0 1 8"},
      {"1 2 1", "9 2 -1", "5 2 0"},
      {"Color: 4 9", "Color: 20 -1", "Color: 0 0"},
      {"Coat: 0 0", "Coat: 3 18", "Coat: 3 0"},
      {"1 0 -3 6", "30 80 -3 6", "0 50 -3 6"},
      {"1 0 -3 6", "-1 -80 99 -51", "0 -50 50 -50"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(values(readFromText<Mirl>(edit(kPip, c.from, c.clamped))),
              values(readFromText<Mirl>(edit(kPip, c.from, c.bad))))
        << c.bad;
  }
}

// The names of the garden's creatures, each followed by a space.
std::string gardenNames(const Garden& garden) {
  std::string names;
  for (int s = 0; s < garden.emptySlot; ++s) {
    names += garden.mirl[s].getName() + ' ';
  }
  return names;
}

TEST(LoadGarden, SkipsDamagedRecordsAndBacksUpTheFileViewingDoesNot) {
  TempDir dir;
  Garden garden;
  const std::string two = kPip + kPip, pips = "Pip Pip Pip ";
  const std::string all = "P0 P1 P2 P3 P4 P5 P6 P7 ";
  const std::string one = "1 record that could not be loaded";
  const std::string twoOut = "2 records that could not be loaded";
  const struct {
    std::string text;
    std::string names;     // of the creatures loaded, each and a space
    std::string unloaded;  // what the notes say was left out ("" no note)
  } cases[] = {
      {"", "", ""},
      {"\n \n", "", ""},
      {kPip + kPip.substr(0, kPip.size() - 1), "Pip Pip ", ""},
      {records("........"), all, ""},
      {records("........."), all, one},
      {records("x......."), "P1 P2 P3 P4 P5 P6 P7 ", one},
      {records("..x....."), "P0 P1 P3 P4 P5 P6 P7 ", one},
      {records(".......x"), "P0 P1 P2 P3 P4 P5 P6 ", one},
      {records(".x..x."), "P0 P2 P3 P5 ", twoOut},
      {records("xx"), "", twoOut},
      {records("........x."), all, twoOut},
      {two + edit(kPip, "Shine: 0 1", "Shine: 0 2") + kPip, pips, one},
      {two + edit(kPip, "Age: 12", "Age: -2147483649") + kPip, pips, one},
      {two + edit(kPip, "Name: Pip", "Name: Pip Squeak") + kPip, pips, one},
      {two + kPip.substr(0, kPip.find("Shine:")), "Pip Pip ", one},
      {two + std::string(std::size_t{64} * 1024, '\n') + kPip, "Pip Pip ",
       "more than the 64 KiB the game reads"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text.substr(0, 200));
    fs::remove(kBackup);
    writeFile(kSave, c.text);
    // Viewing loads the same, notes damage and copies nothing.
    garden = Garden();
    CaptureStderr();
    EXPECT_TRUE(viewGarden(garden, kSave));
    std::string note = GetCapturedStderr();
    EXPECT_EQ(c.unloaded.empty() ? 0 : 1, lines(note));
    EXPECT_EQ(c.unloaded.empty(),
              note.find("holds " + c.unloaded + "; showing the " +
                        std::to_string(garden.emptySlot) + " other") ==
                  std::string::npos);
    EXPECT_EQ(c.names, gardenNames(garden));
    EXPECT_FALSE(fs::exists(kBackup));
    garden = Garden();
    CaptureStderr();
    EXPECT_TRUE(loadGarden(garden, kSave));
    note = GetCapturedStderr();
    EXPECT_EQ(c.unloaded.empty() ? 0 : 1, lines(note));
    EXPECT_EQ(c.unloaded.empty(),
              note.find("held " + c.unloaded + "; the whole file is kept") ==
                  std::string::npos);
    EXPECT_EQ(c.names, gardenNames(garden));
    EXPECT_EQ(c.unloaded.empty() ? "" : c.text, readFile(kBackup));
    // The next save keeps every creature loaded, each as it was read.
    std::string saved;
    for (int s = 0; s < garden.emptySlot; ++s)
      saved += pip(garden.mirl[s].getName());
    ASSERT_TRUE(saveGarden(garden, kSave));
    EXPECT_EQ(saved, readFile(kSave));
  }
  fs::remove(kSave);
  garden = Garden();
  EXPECT_TRUE(loadGarden(garden, kSave));
  EXPECT_EQ(0, garden.emptySlot);
  // Without its backup a damaged file must not be loaded, or saving would
  // lose what could not be read.
  // Here every name a copy may take (at most 100) is held by a folder.
  writeFile(kSave, "Name: Pip Age: old");
  fs::remove(kBackup);
  for (int n = 0; n < 100; ++n) {
    fs::create_directories(kBackup + (n > 0 ? "." + std::to_string(n) : ""));
  }
  CaptureStderr();
  EXPECT_FALSE(loadGarden(garden, kSave));
  EXPECT_EQ(1, lines(GetCapturedStderr()));
}

TEST(LoadGarden, NeverReplacesTheCopyOfEarlierDamage) {
  TempDir dir;
  Garden garden;
  const std::string first = kPip + "Name:", second = kPip + "Name: Pip Age:";
  // The file each load leaves as a copy, and the copies after it.
  const std::vector<std::pair<std::string, std::vector<std::string>>> loads = {
      {first, {first}},
      {second, {first, second}},
      {first, {first, second}},
  };
  for (const auto& [damaged, copies] : loads) {
    writeFile(kSave, damaged);
    garden = Garden();
    CaptureStderr();
    EXPECT_TRUE(loadGarden(garden, kSave));
    GetCapturedStderr();
    EXPECT_EQ(copies[0], readFile(kBackup));
    EXPECT_EQ(copies.size() > 1 ? copies[1] : "",
              readFile(std::string(kBackup) + ".1"));
  }
}

TEST(SaveGarden, WritesTheGardenThatLoadsBackTheSame) {
  TempDir dir;
  Garden garden;
  srand(7);
  for (int slot = 0; slot < 4; ++slot)
    garden.mirl[slot] = Mirl(slot, 2 * slot, 1, 0);
  garden.emptySlot = 3;  // slot 3 is outside the garden and must not be written
  ASSERT_TRUE(saveGarden(garden, kSave));
  const std::string saved = readFile(kSave);
  EXPECT_EQ(3 * lines(kPip), lines(saved));
  garden = Garden();
  ASSERT_TRUE(loadGarden(garden, kSave));
  ASSERT_EQ(3, garden.emptySlot);
  ASSERT_TRUE(saveGarden(garden, kSave));
  EXPECT_EQ(saved, readFile(kSave));
  garden = Garden();
  ASSERT_TRUE(saveGarden(garden, kSave));
  EXPECT_EQ("", readFile(kSave));
}

long entries() {
  return std::distance(fs::directory_iterator("."), fs::directory_iterator());
}

// A failed save leaves the old target as it was and no temporary file; a
// temporary-looking file left by someone else is no obstacle to a later one.
TEST(SaveGarden, FailureLeavesTheOldTargetAndNoTemporaryFile) {
  TempDir dir;
  Garden garden;
  garden.emptySlot = 1;
  writeFile("mirl.dat.a1B2c3", "left behind");
  fs::create_directory(kSave);
  writeFile(fs::path(kSave) / "keep", "kept");
  CaptureStderr();
  EXPECT_FALSE(saveGarden(garden, kSave));
  const std::string message = GetCapturedStderr();
  EXPECT_EQ(1, lines(message));
  EXPECT_NE(std::string::npos, message.find(kSave));
  EXPECT_NE(std::string::npos, message.find(std::strerror(EISDIR)));
  EXPECT_EQ("kept", readFile(fs::path(kSave) / "keep"));
  EXPECT_EQ(2, entries());
  fs::remove_all(kSave);
  ASSERT_TRUE(saveGarden(garden, kSave));
  EXPECT_EQ(lines(kPip), lines(readFile(kSave)));
  EXPECT_EQ("left behind", readFile("mirl.dat.a1B2c3"));
  EXPECT_EQ(3, entries());  // the book came beside the garden
}

// A garden held by another game cannot be claimed, yet it can be viewed;
// viewing removes no temporary, claiming does.
TEST(ClaimGarden, ViewingNeedsNoLockAndLeavesTemporaries) {
  TempDir dir;
  Garden garden;
  writeFile(kSave, kPip);
  const std::string temp = ".mirl.dat.tumblenook-temp.a1B2c3";
  writeFile(temp, "half");
  const int otherGame = open("mirl.dat.lock", O_RDONLY | O_CREAT, 0644);
  ASSERT_EQ(0, flock(otherGame, LOCK_EX));
  CaptureStderr();
  EXPECT_FALSE(claimGarden(kSave));
  EXPECT_NE(std::string::npos, GetCapturedStderr().find("another game"));
  garden = Garden();
  EXPECT_TRUE(viewGarden(garden, kSave));
  EXPECT_EQ(1, garden.emptySlot);
  EXPECT_EQ("half", readFile(temp));
  close(otherGame);
  EXPECT_TRUE(claimGarden(kSave));
  EXPECT_FALSE(fs::exists(temp));
}

}  // namespace
