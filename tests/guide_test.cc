// The player's guide in docs/guide.md gives figures that players plan with: the
// drive table and the evolution chart, the statistics screen and the garden
// file's example record. These tests hold the game to them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "console.h"
#include "mirl.h"
#include "names.h"
#include "test_util.h"

namespace {

using Row = std::vector<std::string>;

// The lines of the guide's block marked NAME.
std::vector<std::string> guideBlock(const std::string& name) {
  std::istringstream guide(readFile(TUMBLENOOK_GUIDE));
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(guide, line) && line != "<!-- guide: " + name + " -->") {
  }
  while (std::getline(guide, line) && line != "<!-- /guide -->") {
    lines.push_back(line);
  }
  return lines;
}

// The rows of the guide's table marked NAME, header first, cells trimmed.
std::vector<Row> guideTable(const std::string& name) {
  std::vector<Row> rows;
  for (const std::string& line : guideBlock(name)) {
    if (line.rfind("|---", 0) == 0) continue;
    std::istringstream cells(line.substr(1));
    Row row;
    for (std::string cell; std::getline(cells, cell, '|');) {
      row.push_back(cell.substr(1, cell.size() - 2));
    }
    rows.push_back(row);
  }
  return rows;
}

// Sets an egg's shape sliders through items: Yellow pulls Swim-Fly down,
// Red pulls Run-Power down, one step per unit of strength.
template <typename Egg>
void setShape(Egg& egg, int swimFly, int runPower) {
  egg.giveEvolutionItem(EvolutionItem(0, 1, -swimFly));
  egg.giveEvolutionItem(EvolutionItem(0, 3, -runPower));
}

// Where an item pushes an egg, in the guide's words.
std::string push(EvolutionItem item) {
  Evolution egg;
  egg.giveEvolutionItem(item);
  const int s = egg.getSwimFly(), r = egg.getRunPower();
  if (s == 0 && r == 0) return "nothing";
  const char* way = s < 0 ? "Swim" : s > 0 ? "Fly" : r < 0 ? "Run" : "Power";
  return way + (", " + std::to_string(std::abs(s + r))) + " step";
}

TEST(GuideTest, DriveTableMatchesEveryDrive) {
  const std::vector<Row> rows = guideTable("drives");
  ASSERT_EQ(1u + ItemCollection::DRIVE_COUNT, rows.size());
  EXPECT_EQ((Row{"Drive", "Swim", "Run", "Power", "Fly", "Stamina"}),
            Row(rows[0].begin(), rows[0].begin() + 6));
  const std::string random = "random direction";
  for (int kind = 0; kind < ItemCollection::DRIVE_COUNT; ++kind) {
    const Row& row = rows[kind + 1];
    const StatItem stats = OrvanDrive(kind).getStats();
    const auto amount = [](int value) { return std::to_string(value); };
    EXPECT_EQ(row, (Row{std::to_string(kind) + " " + ITEM_COLORS[kind],
                        amount(stats.getSwim()), amount(stats.getRun()),
                        amount(stats.getPower()), amount(stats.getFly()),
                        amount(stats.getStamina()), row[6]}));
    std::set<std::string> listed = {row[6]}, pushed;
    if (row[6].rfind(random, 0) == 0) {
      listed.clear();
      for (std::string way : {"Swim", "Fly", "Run", "Power"}) {
        listed.insert(way + row[6].substr(random.size()));
      }
    }
    std::srand(kind);
    for (int draw = 0; draw < 100; ++draw) {
      pushed.insert(push(OrvanDrive(kind).getEvolution()));
    }
    EXPECT_EQ(listed, pushed) << row[0];
  }
}

// A chart row's shape: "Swim-Fly below -25, ..." or "anything else".
struct Shape {
  std::string slider, side;
  int limit = 0;
  bool holds(int s, int r) const {
    const int own = slider == "Swim-Fly" ? s : r, other = s + r - own;
    return (side == "above" ? own > limit : own < limit) &&
           std::abs(other) < std::abs(own);
  }
};

// The expressed rank of each skill, by the chart's names.
std::map<std::string, int> ranks(const Mirl& m) {
  return {{"swim", m.getSwim().getRank(0)},
          {"run", m.getRun().getRank(0)},
          {"power", m.getPower().getRank(0)},
          {"fly", m.getFly().getRank(0)},
          {"stamina", m.getStamina().getRank(0)}};
}

TEST(GuideTest, EvolutionChartMatchesEverySliderSetting) {
  const std::vector<Row> rows = guideTable("evolution");
  ASSERT_EQ(6u, rows.size());
  const auto limitIn = [](const std::string& cell) {  // "... below -25)"
    return std::atoi(&cell[cell.rfind(' ') + 1]);
  };
  const int hero = limitIn(rows[0][1]), dark = limitIn(rows[0][3]);
  std::vector<Shape> shapes(rows.size());
  for (size_t i = 1; i < rows.size(); ++i) {
    std::istringstream(rows[i][0]) >> shapes[i].slider >> shapes[i].side >>
        shapes[i].limit;
  }
  ASSERT_EQ("else", shapes.back().side);
  for (int s = -50; s <= 50; ++s) {
    for (int r = -50; r <= 50; ++r) {
      size_t row = 1;
      while (row + 1 < rows.size() && !shapes[row].holds(s, r)) ++row;
      for (int h = -50; h <= 50; ++h) {
        Evolution evolution;
        setShape(evolution, s, r);
        evolution.hatch();  // the only form in which petting moves Hero-Dark
        evolution.pet(h);
        evolution.evolve();
        const int column = h < hero ? 1 : (h > dark ? 3 : 2);
        ASSERT_EQ(rows[row][column], evolution.getEvolutionText())
            << "Hero-Dark " << h << " Swim-Fly " << s << " Run-Power " << r;
      }
    }
  }
  for (size_t row = 1; row < rows.size(); ++row) {
    const Shape& shape = shapes[row];
    const int past = shape.limit + (shape.side == "above" ? 1 : -1);
    for (int seed = 0; seed < 10; ++seed) {
      std::srand(seed);
      Mirl mirl;
      setShape(mirl, shape.slider == "Swim-Fly" ? past : 0,
               shape.slider == "Run-Power" ? past : 0);
      std::map<std::string, int> expected = ranks(mirl);
      expected[rows[row][4]] += expected[rows[row][4]] < 5;  // up to S
      mirl.evolve();
      EXPECT_EQ(expected, ranks(mirl)) << rows[row][0];
    }
  }
}

// The guide names the statistics choices as the game's own menu does.
TEST(GuideTest, StatisticsTableNamesTheGameChoices) {
  std::istringstream typed("0\n");
  std::streambuf* const keyboard = std::cin.rdbuf(typed.rdbuf());
  CaptureStdout screen;
  Garden garden;
  statistics(garden);
  std::cin.rdbuf(keyboard);
  std::istringstream menu(screen.text());
  std::vector<std::string> choices;
  for (std::string line; std::getline(menu, line);) {
    if (line.find(") ") == 1) choices.push_back(line);
  }
  std::vector<std::string> listed;
  for (const Row& row : guideTable("statistics")) listed.push_back(row[0]);
  ASSERT_FALSE(listed.empty());
  listed.erase(listed.begin());  // the header
  EXPECT_EQ(choices, listed);
}

// The example record loads as it stands and is saved back byte for byte.
TEST(GuideTest, ExampleRecordIsOneTheGameWrites) {
  std::string record;
  for (const std::string& line : guideBlock("record")) {
    record += line.substr(line.find_first_not_of(' ')) + "\n";
  }
  std::istringstream in(record);
  Mirl mirl(in);
  ASSERT_FALSE(in.fail());
  std::ostringstream saved;
  mirl.save(saved);
  EXPECT_EQ(record, saved.str());
}

}  // namespace
