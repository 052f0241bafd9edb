// The quest list, the continue question and the run of a quest's day.
#include "game/combat/quests.h"

#include <sys/stat.h>

#include <fstream>
#include <optional>

#include "doorkit/doorkit.h"
#include "game/combat/fight.h"
#include "game/combat/items.h"
#include "game/combat/quest_script.h"
#include "game/combat/shop_parts.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"
#include "game/player/gold.h"
#include "game/ui/ui.h"

namespace trv::combat {

const DataFormat kQuestFormat{1023, {199, 199, 1023}, kMaxDataRecords, true};

namespace {

// Quests shown before the list asks whether to go on.
constexpr int kListPage = 12;
// A script is read up to this size: a stray file (a log, an image) named
// in the list must not fill the memory.
constexpr std::streamsize kMaxScriptBytes = 1 << 20;

QuestList g_quests_read;

const char* Players() { return db::TableName(db::kPlayer); }
const char* QuestTable() { return db::TableName(db::kQuest); }
const char* Me() { return player::CallerUserName(); }

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::optional<std::string> ReadScript(const std::string& file) {
  const std::string path = "Quests/" + file;
  if (!IsQuestFileName(file) || !IsRegularFile(path)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string text(static_cast<size_t>(kMaxScriptBytes), '\0');
  in.read(text.data(), kMaxScriptBytes);
  text.resize(static_cast<size_t>(in.gcount()));
  return text;
}

const Quest* FindQuest(const QuestList& quests, const std::string& title) {
  for (const Quest& quest : quests)
    if (quest.title == title) return &quest;
  return nullptr;
}

// What a run shows around the story: the frame, and the names it tells.
struct Teller {
  std::string title, author, name, kingdom;

  void DrawFrame(const char* author_colour) const {
    od_clr_scr();
    od_send_file("Skins/QUESTS.ANS");
    od_set_cursor(19, 18);
    od_printf("`bright yellow`%s      %sAuthor: `bright red`%s", title.c_str(), author_colour,
              author.c_str());
    od_set_cursor(21, 21);
    od_printf("`bright red`%s", name.c_str());
  }
  void Redraw() const { DrawFrame("`bright magenta`"); }
};

void AddToColumn(const char* column, const std::string& amount) {
  db::RunWriteUnit([&] {
    const db::ResultTable row = player::CallerRow(column);  // a column of the whitelist
    if (row.empty()) return false;
    const Purenum::Integer now =
        AddToPurse(player::Amount(row.Text(0, 0)), player::Amount(amount.c_str()));
    db::Exec(db::kPlayer, "UPDATE %s SET %s=%Q WHERE UserName=%Q", Players(), column,
             now.str().c_str(), Me());
    return true;
  });
}

// An @STAT or @HIGH line: the column and the health and magic it may pull
// along, read and written in one unit (a fight or a potion on another node
// of the same user may be changing them). When the column is HP or
// MagicPower it is named twice with the same value.
void AddPoints(const char* column, long long points) {
  db::RunWriteUnit([&] {
    const db::ResultTable row =
        player::CallerRow((std::string(column) + ",HP,MaxHP,MagicPower,MaxMagicPower").c_str());
    if (row.empty()) return false;
    Vitals vitals{row.Int(0, 1), row.Int(0, 2), row.Int(0, 3), row.Int(0, 4)};
    const long long after = StatAfter(column, row.Int(0, 0), points, &vitals);
    db::Exec(db::kPlayer, "UPDATE %s SET %s=%lld,HP=%lld,MagicPower=%lld WHERE UserName=%Q",
             Players(), column, after, vitals.hp, vitals.magic, Me());
    return true;
  });
}

void GiveItem(const std::string& name, const Teller& teller) {
  if (FindItem(ReadItems(), name) == nullptr) return;  // not an item of this realm
  if (InventoryFull() || StoreInInventory(name) == 0) {
    od_printf("\n\n\r`bright red`Sorry, your inventory is full!");
    WaitKey();
    teller.Redraw();
  }
}

void ShowScreenFile(const std::string& file, const Teller& teller) {
  const std::string path = "Quests/" + file;
  if (!IsRegularFile(path)) return;
  od_clr_scr();
  od_send_file(path.c_str());
  WaitKey();
  teller.Redraw();
}

// False when the caller lost (and was resurrected): the run ends.
bool QuestFight(const Opponents& o, const Teller& teller) {
  od_clr_scr();
  od_printf("\n\r`bright red`%s `bright yellow`QUEST COMBAT BEGINS!! `bright red`%s", kShades,
            kShadesBack);
  const int survived = LoadNPCS("0", o.name.c_str(), o.hit_points.c_str(), o.attack.c_str(),
                                o.defence.c_str(), o.magic.c_str(), o.poison.c_str(),
                                static_cast<int>(o.count), o.gold.c_str(), o.experience.c_str());
  if (survived == 0) {
    od_printf("\n\n\r`bright red`Sorry, you will need to re-try this quest another day!");
    PressAnyKey();
    return false;
  }
  teller.Redraw();
  return true;
}

void Complete(const Teller& teller) {
  const std::string line1 = teller.name + " successfully completed the following quest:";
  const std::string line2 = teller.title + " `bright blue`by: `bright magenta`" + teller.author;
  AddNews(
      "`bright blue`\260\261\262 `bright yellow`QUEST COMPLETION `bright blue`\262\261\260`bright "
      "red`",
      line1.c_str(), line2.c_str());
  db::Exec(db::kQuest, "UPDATE %s SET QuestName='',QuestDay=0 WHERE UserName=%Q", QuestTable(),
           Me());
  od_printf("\n\n\r`bright blue`%s `bright yellow`QUEST COMPLETION `bright blue`%s", kShades,
            kShadesBack);
  PressAnyKey();
}

enum class Claim { kClaimed, kTakenToday, kNoRow };

// Takes today's quest for `title` in one unit (another session of the
// same user may be choosing at the same time); `day` is the number of
// day parts done, 0 for a quest started afresh.
Claim ClaimToday(const std::string& title, long long* day) {
  Claim claim = Claim::kNoRow;
  db::RunWriteUnit([&] {
    const db::ResultTable row =
        db::Query(db::kQuest, "SELECT Today,QuestName,QuestDay FROM %s WHERE UserName=%Q",
                  QuestTable(), Me());
    if (row.empty()) return false;
    if (row.Int(0, 0) != 0) {
      claim = Claim::kTakenToday;
      return false;
    }
    *day = title == row.Text(0, 1) ? row.Int(0, 2) : 0;
    db::Exec(db::kQuest, "UPDATE %s SET QuestName=%Q,QuestDay=%lld,Today=1 WHERE UserName=%Q",
             QuestTable(), title.c_str(), *day, Me());
    claim = Claim::kClaimed;
    return true;
  });
  return claim;
}

void AlreadyToday() {
  od_printf("\n\n\r`bright cyan`You have already been on a quest today!");
  WaitKey();
}

void FirstVisit() {
  od_printf("`bright cyan`It appears you have never been on a Quest before..");
  od_printf("\n\n\rRules:\n1. You may embark on 1 quest a day");
  od_printf("\n\r      2. Some Quests may take many days to complete");
  od_printf("\n\r      3. Try not to go on a Quest that is well above your Level");
  WaitKey();
  db::Exec(db::kQuest,
           "INSERT INTO %s (QuestName,QuestDay,UserName,Today) SELECT '',0,%Q,0 "
           "WHERE NOT EXISTS (SELECT 1 FROM %s WHERE UserName=%Q)",
           QuestTable(), Me(), QuestTable(), Me());
}

// The list; the quest chosen, or nullptr when the caller left.
const Quest* ChooseQuest(const QuestList& quests) {
  od_clr_scr();
  od_printf("`bright green`Venturing out to other places could lead you to wealth, or to your");
  od_printf("\n\rdeath. Choose a place that suits your level; some take many days.");
  od_printf("\n\n\r`bright blue`%s `bright yellow`Other Places `bright blue`%s\n\n\r", kShades,
            kShadesBack);
  od_printf("`bright white`(###) Place Name`dark green`\n\r%s", kShortRule);
  const size_t rows = quests.size() + 1;  // and the free place
  for (size_t i = 0; i < rows; ++i) {
    const long number = static_cast<long>(i + 1);
    if (i < quests.size()) {
      od_printf(
          "\n\r`bright blue`[`bright yellow`%-3ld`bright blue`] %s `dark green`By: `bright "
          "white`%s",
          number, CleanText(quests[i].title).c_str(), CleanText(quests[i].author).c_str());
    } else {
      od_printf(
          "\n\r`bright blue`[`bright yellow`%-3ld`bright blue`] `grey`<< Ask your sysop to add a "
          "new one! >>",
          number);
    }
    if ((i + 1) % kListPage == 0 && i + 1 < rows) {
      od_printf("\n\n\r`yellow`Continue Listing Places? (Y/n)");
      if (od_get_answer("YN\r") == 'N') break;
    }
  }
  od_printf("\n\n\r`bright yellow`Your Choice <`grey`Enter`bright yellow` to exit> : ");
  const int choice = ReadTypedNumber(3);
  if (choice < 1 || static_cast<size_t>(choice) > quests.size()) return nullptr;
  return &quests[choice - 1];
}

}  // namespace

QuestList ReadQuests(const char* path) {
  QuestList quests;
  for (DataRecord& r : ReadGameDataFile(path, kQuestFormat).records)
    quests.push_back({std::move(r[0]), std::move(r[1]), std::move(r[2])});
  return quests;
}

void RunQuest(const std::string& file, const std::string& title, const std::string& author) {
  const std::optional<std::string> text = ReadScript(file);
  if (!text) {
    od_printf("\n\n\r`bright red`Quest Not Found!");
    WaitKey();
    return;
  }
  long long day = 0;
  switch (ClaimToday(title, &day)) {
    case Claim::kNoRow:
      return;
    case Claim::kTakenToday:
      AlreadyToday();
      return;
    case Claim::kClaimed:
      break;
  }
  db::Exec(db::kPlayer, "UPDATE %s SET HP=2 WHERE UserName=%Q AND HP=1", Players(), Me());
  const db::ResultTable row = player::CallerRow("PlayerName,Kingdom");
  if (row.empty()) return;  // the character was deleted meanwhile
  const Teller teller{CleanText(title), CleanText(author), CleanText(row.Text(0, 0)),
                      CleanText(row.Text(0, 1))};
  teller.DrawFrame("`bright white`");

  const QuestScript script = ParseQuestScript(*text);
  for (size_t i = ResumeAt(script, day); i < script.size(); ++i) {
    const QuestLine& line = script[i];
    switch (line.command) {
      case QuestCommand::kStory:
        od_printf("\n\r`grey`%s", TellStory(line.text, teller.name, teller.kingdom).c_str());
        break;
      case QuestCommand::kPause:
        WaitKey();
        break;
      case QuestCommand::kDayEnd:
        if (!EndsTheDay(line, day)) break;
        db::Exec(db::kQuest, "UPDATE %s SET QuestDay=%lld WHERE UserName=%Q", QuestTable(),
                 line.number, Me());
        od_printf("\n\n\r`bright cyan`The Quest for today has ended, come back tommorrow");
        od_printf("\n\rto continue on your way..");
        PressAnyKey();
        return;
      case QuestCommand::kFinal:
        Complete(teller);
        return;
      case QuestCommand::kAnsi:
        ShowScreenFile(line.text, teller);
        break;
      case QuestCommand::kGold:
        AddToColumn("Gold", line.text);
        break;
      case QuestCommand::kComm:
        AddToColumn(line.column, line.text);
        break;
      case QuestCommand::kHigh:
        AddPoints("ProfExp", line.number);
        break;
      case QuestCommand::kStat:
        AddPoints(line.column, line.number);
        break;
      case QuestCommand::kItem:
        GiveItem(line.text, teller);
        break;
      case QuestCommand::kMonster:
        if (!QuestFight(line.opponents, teller)) return;
        break;
      case QuestCommand::kSkipped:
        break;
    }
  }
  PressAnyKey();  // a script without "@FINAL@" stays under way
}

}  // namespace trv::combat

void ListQuests(void) {
  using namespace trv::combat;
  od_clr_scr();
  const trv::db::ResultTable row = trv::db::Query(
      trv::db::kQuest, "SELECT Today,QuestName FROM %s WHERE UserName=%Q", QuestTable(), Me());
  if (row.Int(0, 0) != 0) {
    AlreadyToday();
    return;
  }
  const QuestList quests = ReadQuests();
  if (row.empty()) {
    FirstVisit();
  } else if (const Quest* quest = FindQuest(quests, row.Text(0, 1))) {
    od_printf(
        "\r\n\n`dark green`Continue On `bright green`%s Quest `dark green`(`bright yellow`y`dark "
        "green`/`bright yellow`N`dark green`)?",
        trv::CleanText(quest->title).c_str());
    if (trv::AnswerYes()) {
      RunQuest(quest->script, quest->title, quest->author);
      return;
    }
    trv::db::Exec(trv::db::kQuest, "UPDATE %s SET QuestName='',QuestDay=0 WHERE UserName=%Q",
                  QuestTable(), Me());
  }
  if (const Quest* quest = ChooseQuest(quests))
    RunQuest(quest->script, quest->title, quest->author);
}

int read_questdata(const char* path) {
  trv::combat::g_quests_read = trv::combat::ReadQuests(path);
  return static_cast<int>(trv::combat::g_quests_read.size());
}
