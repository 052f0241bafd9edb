// Quest scripts as data: the parser and the rules of a quest's run, as
// functions of plain values. The screens in quests.h act on them.
//
// A script (Quests/<file>) is story text with one command a line:
//
//   @PAUSE@                     wait for a key
//   @DAYEND:n                   day n's part ends here; the next day goes on after it
//   @FINAL@                     the quest is complete
//   @ANSI:file                  show the screen file Quests/<file>
//   @GOLD:amount                gold on hand (a negative amount takes, down to 0)
//   @HIGH:n                     high (profession) experience
//   @ITEM:name                  an item of Data/item.dat into the pack
//   @COMM:column:amount         a purse or holding: Gold, BankGold, Depository,
//                               or one of the seven investments
//   @STAT:column:n              an attribute, HP, MaxHP, MagicPower, MaxMagicPower,
//                               Potions, a daily counter, Experience or ProfExp
//   @MONSTER:name:hit points:attack:defence:magic:poison:count:gold:experience
//
// Any other line is story text, where @NAME@ and @KINGDOM@ stand for the
// character's name and kingdom. Scripts come from sysops and from whoever
// wrote the quest they downloaded, so nothing in one reaches a statement
// as text: columns are looked up (in either case) in the lists above and
// numbers are checked and bound. A command line that does not parse is
// skipped, never run in part and never shown as story.
#ifndef TRV_GAME_COMBAT_QUEST_SCRIPT_H_
#define TRV_GAME_COMBAT_QUEST_SCRIPT_H_

#include <string>
#include <string_view>
#include <vector>

#include "game/combat/hunt_rules.h"
#include "game/money/Integer.h"

namespace trv::combat {

enum class QuestCommand {
  kStory,
  kPause,
  kDayEnd,
  kFinal,
  kAnsi,
  kGold,
  kHigh,
  kItem,
  kComm,
  kStat,
  kMonster,
  kSkipped,  // a command line that does not parse (or names what it may not)
};

struct QuestLine {
  QuestCommand command = QuestCommand::kStory;
  int line_number = 0;           // 1-based, in the file
  std::string text;              // story, screen file, item name, or a gold amount
  const char* column = nullptr;  // @COMM/@STAT: the column as the whitelist spells it
  long long number = 0;          // @DAYEND day, @HIGH and @STAT points
  Opponents opponents;           // @MONSTER, count already 1 to kMaxGroup
};
using QuestScript = std::vector<QuestLine>;

// The script's lines in order, one entry per line of the file. Total and
// pure: any bytes give a script and nothing throws (LF or CRLF endings, a
// NUL, no last line break), so it is also the entry point for fuzzing.
QuestScript ParseQuestScript(std::string_view text);

// A file name below Quests/: not empty, not absolute, no ".." part (a
// downloaded script must not show Data/game.db to the caller).
bool IsQuestFileName(std::string_view name);

// Where a run starts when `finished_days` day parts are done: just after
// the "@DAYEND" line of that number (compared as a number), 0 for none,
// the script's end when the script has no such line.
size_t ResumeAt(const QuestScript& script, long long finished_days);

// Whether `line` ends a run that began with `finished_days` day parts done.
// A day end of a number already reached is passed over, so every day goes
// further into the script: a script that repeats "@DAYEND:1" cannot hold
// a character on the same stretch day after day.
bool EndsTheDay(const QuestLine& line, long long finished_days);

// A story line with @NAME@ and @KINGDOM@ replaced (once, left to right:
// a name holding "@KINGDOM@" stays as it is). Control bytes of the line
// are dropped (the run supplies the line breaks); colour markup stays.
std::string TellStory(const std::string& line, const std::string& name, const std::string& kingdom);

// A purse or holding after a quest adds `amount` to it: a negative amount
// takes what there is, down to 0, and leaves a debt as it is.
Purenum::Integer AddToPurse(const Purenum::Integer& held, const Purenum::Integer& amount);

// The health and magic that an @STAT line keeps within their maxima.
struct Vitals {
  long long hp = 0, max_hp = 0, magic = 0, max_magic = 0;
};

// A column of the @STAT list after `points` are added to its `value`:
// never below 0 (HP and MaxHP never below 1: a quest hurts, only its
// fights kill), never past 2,147,483,647 (unless it already stood
// higher), HP never above MaxHP and MagicPower never above MaxMagicPower.
// `vitals` is brought in line with the new value (a lowered MaxHP lowers
// HP with it).
long long StatAfter(const char* column, long long value, long long points, Vitals* vitals);

}  // namespace trv::combat

#endif  // TRV_GAME_COMBAT_QUEST_SCRIPT_H_
