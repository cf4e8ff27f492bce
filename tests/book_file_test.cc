// The book as the game keeps it: beside the garden, saved after it, read
// back whole, a damaged one kept as a copy while the game goes on, and the
// same book whichever way the same actions were played.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "actions.h"
#include "book.h"
#include "console.h"
#include "garden.h"
#include "garden_file.h"
#include "screen_game.h"
#include "test_util.h"

namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

constexpr char kSave[] = "mirl.dat";
constexpr unsigned kSeed = 11;

// A garden with `eggs` Normal eggs hatched and `hours` hours lived.
Garden playedGarden(int eggs, int hours) {
  std::srand(kSeed);
  Garden garden;
  for (int egg = 0; egg < eggs; ++egg) hatchEgg(garden, kNormalEgg, 0);
  for (int hour = 0; hour < hours; ++hour) garden.ageMirl();
  return garden;
}

TEST(BookFile, IsSavedBesideTheGardenAndLoadsBackWhole) {
  TempDir dir;
  Garden garden = playedGarden(2, 21);
  ASSERT_TRUE(saveGarden(garden, kSave));
  EXPECT_EQ(bookText(garden.book), readFile(kBookFile));
  Garden loaded;
  ASSERT_TRUE(loadGarden(loaded, kSave));
  EXPECT_EQ(bookText(garden.book), bookText(loaded.book));
  EXPECT_EQ(21, loaded.book.hours());
  EXPECT_EQ(2, loaded.book.tally(Tally::kEggsHatched));
  EXPECT_EQ(2, loaded.book.tally(Tally::kEvolved));
  // A form reached by growing up here was raised here, at hour 20.
  const std::optional<First> form =
      loaded.book.form(garden.mirl[0].getEvolution().getEvolution());
  ASSERT_TRUE(form.has_value());
  EXPECT_EQ((First{Origin::kRaised, 20}), *form);
}

TEST(BookFile, ADamagedBookIsKeptAsACopyAndWhatCanBeReadStays) {
  const struct {
    const char* what;
    std::string damage;  // put in place of the line "hours 21"
  } cases[] = {
      {"a hand-edited line", "hours many"},
      {"an unknown key", "hours 21\nfavourite Pip"},
      {"a cut book", "hours 21\nend\n\xff"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir dir;
    Garden garden = playedGarden(1, 21);
    ASSERT_TRUE(saveGarden(garden, kSave));
    std::string text = readFile(kBookFile);
    text.replace(text.find("hours 21"), 8, c.damage);
    writeFile(kBookFile, text);
    Garden loaded;
    CaptureStderr();
    EXPECT_TRUE(loadGarden(loaded, kSave));  // the game goes on
    const std::string note = GetCapturedStderr();
    EXPECT_NE(std::string::npos, note.find("book.txt.bak")) << note;
    EXPECT_EQ(text, readFile("book.txt.bak"));
    // Every other line was read: the egg and its evolution are still there.
    EXPECT_EQ(1, loaded.book.tally(Tally::kEggsHatched));
    EXPECT_EQ(1, loaded.book.tally(Tally::kEvolved));
    ASSERT_TRUE(saveGarden(loaded, kSave));
    EXPECT_EQ(text, readFile("book.txt.bak"));  // the copy outlives the save
  }
}

TEST(BookFile, AnUnreadableBookIsNeverReplaced) {
  TempDir dir;
  Garden garden = playedGarden(1, 1);
  ASSERT_TRUE(saveGarden(garden, kSave));
  std::filesystem::remove(kBookFile);
  std::filesystem::create_directory(kBookFile);  // not a file: cannot be read
  Garden loaded;
  CaptureStderr();
  EXPECT_TRUE(loadGarden(loaded, kSave));
  GetCapturedStderr();
  CaptureStderr();
  EXPECT_FALSE(saveGarden(loaded, kSave));  // reported: the old book stayed
  EXPECT_NE(std::string::npos, GetCapturedStderr().find("left as it was"));
  EXPECT_TRUE(std::filesystem::is_directory(kBookFile));
  // Only that garden keeps its book's file: another one saves its own.
  std::filesystem::create_directory("other");
  Garden other = playedGarden(1, 1);
  EXPECT_TRUE(saveGarden(other, "other/" + std::string(kSave)));
  EXPECT_TRUE(
      std::filesystem::is_regular_file("other/" + std::string(kBookFile)));
}

// The same choices played on the line and on the screen keep the same book.
TEST(BookFile, TheLineAndTheScreenKeepTheSameBook) {
  const struct {
    const char* typed;              // the line game's input
    std::vector<const char*> keys;  // the screen's keys for the same choices
  } cases[] = {
      {"1\n1\n0\n", {"h", "1", "Enter"}},
      {"1\n2\n4\n1\n4\n3\n0\n",
       {"h", "2", "Enter", "4", "Enter", "h", "4", "Enter", "3", "Enter"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    std::srand(kSeed);
    Garden line;
    std::istringstream typed(c.typed);
    std::streambuf* const keyboard = std::cin.rdbuf(typed.rdbuf());
    {
      CaptureStdout quiet;
      userInterface(line);
    }
    std::cin.rdbuf(keyboard);
    std::cin.clear();
    std::srand(kSeed);
    Garden screen;
    ScreenGame game(screen);
    for (const char* key : c.keys) game.onKey(keyNamed(key));
    game.leave();
    EXPECT_EQ(bookText(line.book), bookText(screen.book));
    EXPECT_GT(screen.book.tally(Tally::kEggsHatched), 0);
  }
}

}  // namespace
