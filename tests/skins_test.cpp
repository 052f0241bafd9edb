// The screen files as a caller's terminal shows them: each fits 80x24, leaves
// empty the cells where its program puts the cursor and prints figures, and
// its legend offers exactly the keys that its menu takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/harness/screen.h"

namespace trv::harness {
namespace {

struct Cell {
  int row;
  int column;
};

struct Skin {
  const char* file;
  const char* keys;           // the menu's keys ('\r' is Enter); nullptr: not checked
  Cell cursor;                // where the program waits for the answer; row 0: none
  std::vector<Cell> figures;  // each may run to the end of its row
};

constexpr int kAnswerWidth = 10;  // cells kept free from the cursor on

const std::vector<Skin>& Skins() {
  static const std::vector<Skin> skins = {
      // Main Street's legend grows as places open; the title menu's Enter is E.
      {"INTRO.ANS", nullptr, {17, 54}, {}},
      {"MAIN.ANS", nullptr, {21, 26}, {}},
      {"SETUP.ANS", nullptr, {16, 23}, {}},
      {"WEAPON.ANS", "LSVR.=", {19, 28}, {{17, 20}}},
      {"ARMOR.ANS", "12345678VSR.=", {22, 34}, {{20, 27}}},
      {"BANK.ANS", "WDTSAR=.", {23, 14}, {{18, 7}, {19, 7}}},
      {"MERCHANT.ANS", "RFHGOWDS.=", {18, 20}, {}},
      {"GUILD.ANS", "HMBPXWSZAVR=.", {23, 9}, {{15, 26}, {16, 26}}},
      {"ALLEY.ANS", "IETWMCRSPV.=", {18, 27}, {}},
      {"KINGDOM.ANS", "\rATSKEWPBDNMR.=", {23, 21}, {}},
      {"NOBLE.ANS", "\rTEBNR.=", {20, 11}, {}},
      {"CHURCH.ANS", "RDWSCKBGMVP.=", {22, 16}, {}},
      {"HEALER.ANS", "PCAR.=", {16, 62}, {}},
      {"TAVERN.ANS", "RWTCASGPV.=", {14, 17}, {}},
      {"QUESTS.ANS", "", {0, 0}, {{19, 18}, {21, 21}}},
  };
  return skins;
}

// The art as the door kit sends it: up to the trailer's end-of-file mark.
std::string Art(const std::string& file) {
  std::ifstream in(std::string(TRV_SOURCE_DIR) + "/data/Skins/" + file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::string art = bytes.str();
  return art.substr(0, art.find('\x1a'));
}

// Every "[K]" and "[Enter]" on the screen, sorted.
std::vector<std::string> LegendKeys(const Screen& screen) {
  std::vector<std::string> keys;
  for (int row = 1; row <= screen.rows(); ++row) {
    const std::string text = screen.Row(row);
    for (size_t i = text.find('['); i != std::string::npos; i = text.find('[', i + 1)) {
      if (text.compare(i, 7, "[Enter]") == 0) {
        keys.push_back("Enter");
      } else if (i + 2 < text.size() && text[i + 2] == ']') {
        keys.push_back(std::string(1, text[i + 1]));
      }
    }
  }
  std::sort(keys.begin(), keys.end());
  return keys;
}

std::vector<std::string> MenuKeys(const std::string& menu) {
  std::vector<std::string> keys;
  for (char c : menu)
    keys.push_back(c == '\r' ? "Enter" : std::string(1, static_cast<char>(std::toupper(c))));
  std::sort(keys.begin(), keys.end());
  return keys;
}

TEST(SkinsTest, EachScreenFitsAndLeavesItsPromptAndFiguresFree) {
  for (const Skin& skin : Skins()) {
    SCOPED_TRACE(skin.file);
    const std::string art = Art(skin.file);
    ASSERT_FALSE(art.empty()) << "missing or empty";

    // On a larger terminal nothing lands past column 80 or row 24, and the
    // 80x24 terminal shows the same rows (nothing scrolled or wrapped).
    Screen screen;
    Screen larger(26, 82);
    screen.Feed(art);
    larger.Feed(art);
    std::string shown, fitted;
    for (int row = 1; row <= 24; ++row) {
      EXPECT_EQ(larger.Text(row, 81, 2), "  ") << "row " << row << "\n" << larger.Dump();
      shown += screen.Row(row) + "\n";
      fitted += larger.Row(row) + "\n";
    }
    EXPECT_EQ(shown, fitted) << screen.Dump();
    EXPECT_EQ(larger.Row(25) + larger.Row(26), "") << larger.Dump();

    if (skin.cursor.row > 0) {
      EXPECT_EQ(screen.Text(skin.cursor.row, skin.cursor.column, kAnswerWidth),
                std::string(kAnswerWidth, ' '))
          << "prompt\n"
          << screen.Dump();
    }
    for (const Cell& figure : skin.figures) {
      const int width = screen.cols() - figure.column + 1;
      EXPECT_EQ(screen.Text(figure.row, figure.column, width), std::string(width, ' '))
          << "figure at row " << figure.row << "\n"
          << screen.Dump();
    }
    if (skin.keys) {
      EXPECT_EQ(LegendKeys(screen), MenuKeys(skin.keys)) << screen.Dump();
    }
  }
}

}  // namespace
}  // namespace trv::harness
