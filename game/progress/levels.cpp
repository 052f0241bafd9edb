// The level masters: the menu, the raise and its screens, the tournament.
#include "game/progress/levels.h"

#include <stdlib.h>

#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/money/saturating.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/player/level.h"
#include "game/progress/progress.h"
#include "game/ui/ui.h"

namespace trv::progress {

const Training kTrainings[kTrainingCount] = {
    {'1',
     "Conventional Training",
     "The most normal approach to training..",
     {6, 3, 4, 1, 3, 7, 3, 4, 3, 0}},
    {'2',
     "Offensive Training",
     "Allows you to be more effective of a fighter..",
     {10, 6, 2, 5, 6, 0, 3, 2, 1, 0}},
    {'3',
     "Defensive Training",
     "Training for reflecting incoming attacks..",
     {8, 1, 8, 2, 7, 0, 3, 4, 3, 0}},
    {'4',
     "Sorcery Training",
     "This training best suits magic users only..",
     {6, 2, 2, 1, 3, 10, 3, 7, 8, 0}},
    {'5',
     "Leadership Training",
     "Prepares you to lead armies, govern kingdoms..",
     {3, 5, 4, 3, 1, 0, 3, 4, 3, 10}},
    {'6',
     "Avoidance Training",
     "Helps you evade blows by increasing your speed..",
     {3, 3, 4, 7, 6, 0, 3, 4, 3, 0}},
    {'7',
     "Intelligence Training",
     "White robed magic users prefer this training..",
     {2, 1, 1, 1, 2, 8, 3, 15, 3, 0}},
    {'8', "Random Training", "Totally random training stats are produced..", {}, true},
};

const Training* TrainingFor(char key) {
  for (const Training& training : kTrainings)
    if (training.key == key) return &training;
  return nullptr;
}

Attributes RandomGains() {
  SeedRandom();
  // One draw per attribute, in the order of the lines.
  static constexpr int kBounds[kAttributeCount] = {6, 6, 6, 3, 6, 8, 6, 6, 6, 6};
  Attributes gains{};
  for (int i = 0; i < kAttributeCount; ++i) gains[i] = rand() % kBounds[i];
  return gains;
}

LevelRaise RaiseLevel(const std::string& user, const Training& training) {
  db::InsertConfigDefaults();  // an emptied options row would leave no multiplier
  LevelRaise raise;
  db::RunWriteUnit([&] {
    raise = LevelRaise();
    const db::ResultTable row =
        db::Query(db::kPlayer, "SELECT Level,Experience FROM %s WHERE UserName=%Q",
                  db::TableName(db::kPlayer), user.c_str());
    if (row.empty()) return true;
    const long long needed = player::LevelThreshold(row.Int(0, 0), player::LevelMultiplier());
    const long long experience = row.Int(0, 1);
    if (experience < needed) {
      raise.outcome = RaiseOutcome::kNotReady;
      raise.needed_more = SaturatingSub(needed, experience);
      return true;
    }
    raise.gains = training.random ? RandomGains() : training.gains;
    db::Exec(db::kPlayer,
             "UPDATE %s SET Level=Level+1,ProfExp=ProfExp+%d,Experience=Experience-%lld "
             "WHERE UserName=%Q",
             db::TableName(db::kPlayer), kRaiseProfExp, needed, user.c_str());
    AddAttributes(user, raise.gains);
    // After the gains, so the new maximum is what fills up.
    db::Exec(db::kPlayer, "UPDATE %s SET HP=MaxHP,MagicPower=MaxMagicPower WHERE UserName=%Q",
             db::TableName(db::kPlayer), user.c_str());
    raise.now = ReadAttributes(user);
    raise.new_level = db::Query(db::kPlayer, "SELECT Level FROM %s WHERE UserName=%Q",
                                db::TableName(db::kPlayer), user.c_str())
                          .Int(0, 0);
    raise.outcome = RaiseOutcome::kRaised;
    return true;
  });
  return raise;
}

bool CrownsTournament(const std::string& mode, long long max_level, long long new_level) {
  return mode == "1" && max_level >= 1 && new_level >= max_level;
}

namespace {

void WaitWithDarkBanner() {
  od_printf("\n\n\r`dark red`%s", ShadeTitle("Press Any Key").c_str());
  od_get_key(TRUE);
}

void ShowNotReady(long long needed_more) {
  od_clr_scr();
  od_printf("`bright red`You are not ready to level up..");
  od_printf("\n\n\r`dark green`You need `bright yellow`%s `dark green`more experience pts!",
            AddCommas(std::to_string(needed_more)).c_str());
  od_get_key(TRUE);
}

void ShowRaise(const LevelRaise& raise) {
  Check_For_Msgs();
  od_clr_scr();
  od_printf("\n\r`bright magenta`%s `bright yellow`CONGRATULATIONS `bright magenta`%s", kShades,
            kShadesBack);
  od_printf("\n\n\r`bright blue`You are now much more powerful then you were last");
  od_printf("\n\rtime you were here! You deserve a level raise..\n\n\r");
  od_printf("`dark green`Level Raised to `bright yellow`%s",
            AddCommas(std::to_string(raise.new_level)).c_str());
  od_printf("%s", AttributeLines(raise.now, raise.gains).c_str());
  od_printf("\n\n\r`dark green`High Experience increase of `grey`{+%d}", kRaiseProfExp);
}

void CheckTournament(long long new_level, const std::string& name) {
  const db::ResultTable config =
      db::Query(db::kConfig, "SELECT TournamentMode,MaxLevel FROM %s", db::TableName(db::kConfig));
  if (!CrownsTournament(config.Text(0, 0), config.Int(0, 1), new_level)) return;
  const std::string winner =
      "`bright green`Tournament Winner: `bright white`" + name + "`bright green`!!";
  AddNews("`bright red`\260\261\262 `bright yellow`Tournament Over! `bright red`\262\261\260",
          winner.c_str(), "Congratulations! Bow down to a true champion!");
  od_clr_scr();
  od_printf("`bright blue`%s `bright yellow`Tournament Victor! `bright blue`%s", kShades,
            kShadesBack);
  od_printf("\n\r`dark green`-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-=-");
  od_printf("\n\n\r`bright red`Congratulations on winning the Tournament! You have proven that");
  od_printf("\n\ryou are better then the other players, and are the ultimate victor!");
  od_printf("\n\n\r`bright white`Please notify your Sysop that you have won the tournament!");
  WaitWithDarkBanner();
}

void TryLevelRaise(const Training& training) {
  Check_For_Msgs();
  const LevelRaise raise = RaiseLevel(player::CallerUserName(), training);
  if (raise.outcome == RaiseOutcome::kNoCharacter) return;
  if (raise.outcome == RaiseOutcome::kNotReady) {
    ShowNotReady(raise.needed_more);
    return;
  }
  ShowRaise(raise);
  const std::string name = CleanText(player::CallerPlayerName());
  const std::string line =
      name + " earned a level raise to " + std::to_string(raise.new_level) + "..";
  AddNews("`bright cyan`LEVEL UP", line.c_str(), "");
  WaitWithDarkBanner();
  CheckTournament(raise.new_level, name);
}

void DrawMasters() {
  od_printf("`dark green`Here you may choose what type of level raise you would");
  od_printf("\n\rlike. The following training options give you increases");
  od_printf("\n\rin the given area of expertise..");
  od_printf("\n\n\r`bright blue`%s `bright yellow`Level Masters `bright blue`%s", kShades,
            kShadesBack);
  for (const Training& t : kTrainings) {
    const bool apart = t.key == '1' || t.key == '8';  // a blank line before each
    od_printf("%s`dark green`[`bright yellow`%c`dark green`] `bright cyan`%-21s `grey`- `green`%s",
              apart ? "\n\n\r" : "\n\r", t.key, t.name, t.description);
  }
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Street");
  od_printf("`bright white`\n\n\rYour Selection: ");
}

}  // namespace
}  // namespace trv::progress

void Leveling(void) {
  using namespace trv;
  std::vector<PlaceKey> keys;
  for (const progress::Training& training : progress::kTrainings)
    keys.push_back({training.key, nullptr, [&training] { progress::TryLevelRaise(training); }});
  keys.push_back({'R', nullptr, nullptr, true});
  PlaceScreen masters("Leveling Area");
  masters.draw = progress::DrawMasters;
  RunPlace(masters, keys);
}
