// The church's marriage room: proposals, divorce and the roll of couples.
#include <string>
#include <vector>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/courtship.h"
#include "game/economy/economy.h"
#include "game/economy/screen_text.h"
#include "game/economy/town_units.h"
#include "game/messaging/messaging.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

namespace trv::economy {
namespace {

constexpr int kMarriageProposal = 1;  // the request kind
constexpr int kRollPage = 10;

constexpr char kStandardLine1[] = "I know that I am far from perfect, but my love is of";
constexpr char kStandardLine2[] = "the purest kind. Will you accept this ring my loved one?";

void DrawMarriage() {
  Say("`bright magenta`\260\261\262 Marriage \262\261\260");
  Say("\n\n\r`dark green`So the time for either a happy marriage to begin or to end");
  Say("\n\ra unhappy one has come.");
  Say("\n\n\rDivorces are immediately done, so see if you can reconcile");
  Say("\n\rwith your partner before going through with this..");
  Say("\n\n\r`dark green`Partner: ");
  const std::string me = player::CallerPlayerName();
  db::ResultTable row =
      db::Query(db::kMarriage,
                "SELECT Partner1, Partner2, DateMarried, Kids FROM %s WHERE Partner1=%Q OR "
                "Partner2=%Q",
                db::TableName(db::kMarriage), me.c_str(), me.c_str());
  if (me.empty() || row.empty()) {
    Say("`grey`{Your Single!}");
  } else {
    const char* partner = me == row.Text(0, 0) ? row.Text(0, 1) : row.Text(0, 0);
    Say("`bright magenta`" + CleanText(partner) + " `dark green`since `bright white`" +
        CleanText(row.Text(0, 2)));
    Say("\n\r`dark green`Number of kids: `grey`" + std::to_string(row.Int(0, 3)));
  }
  Say("\n\n\r`dark green`[`bright yellow`P`dark green`]ropose Marriage");
  Say("\n\r`dark green`[`bright yellow`D`dark green`]ivorce");
  Say("\n\r`dark green`[`bright yellow`R`dark green`]eturn to Church Hall");
  Say("\n\n\r`dark green`Your Selection: ");
}

void DivorceScreen() {
  const std::string me = player::CallerPlayerName();
  if (!MarriageOf(me)) {
    Say("\n\n\r`bright red`Your not currently married!");
    od_get_key(TRUE);
    return;
  }
  Say("\r\n\n`dark green`Really go through with divorce (`bright yellow`y`dark green`/`bright "
      "yellow`N`dark green`)? ");
  if (!AnswerYes()) return;
  // The row as it is now: the partner may have left first on another node.
  const std::optional<Couple> couple = Divorce(me);
  if (!couple) {
    Say("\n\n\r`bright red`Your not currently married!");
    od_get_key(TRUE);
    return;
  }
  const std::string my_name = CleanText(me);
  const std::string partner = CleanText(couple->Other(me));
  const std::string& partner_user = couple->OtherUser(me);
  const std::string& my_user = me == couple->partner1 ? couple->user1 : couple->user2;
  if (!partner_user.empty())
    AddPersonal(partner_user.c_str(), "DIVORCED",
                (my_name + " divorced you! Cheer up, there are more fish in the sea..").c_str(),
                "");
  if (!my_user.empty())
    AddPersonal(
        my_user.c_str(), "DIVORCED",
        ("You divorced " + partner + ". The church has struck your names from its roll..").c_str(),
        "");
  AddNews("`bright cyan`MARRIAGE NEWS",
          (my_name + " decided to leave " + partner + "..Booo-hooooo..").c_str(), "");
  Say("\n\n\r`bright red`\260\261\262 DIVORCED \262\261\260");
  Say("\n\n\r`dark green`The priest tears your marriage papers in two and hands you the halves..");
  od_get_key(TRUE);
}

}  // namespace

void Marriage() {
  static const std::vector<PlaceKey> kKeys = {
      {'P', nullptr, Propose},
      {'D', nullptr, DivorceScreen},
      {'R', nullptr, nullptr, true},
  };
  PlaceScreen room;
  room.draw = DrawMarriage;
  room.poll_messages = false;
  RunPlace(room, kKeys);
}

void Propose() {
  if (MarriageOf(player::CallerPlayerName())) {
    Say("\n\n\r`bright red`Your already married! Shame on you!");
    od_get_key(TRUE);
    return;
  }
  const std::optional<Sweetheart> to =
      ChooseSweetheart("\n\r`bright red`You cannot propose to yourself!");
  if (!to) return;
  Say("\r\n\n`dark green`Send proposal to `bright green`" + CleanText(to->name) +
      " `dark green`(`bright yellow`y`dark green`/`bright yellow`N`dark green`)? ");
  if (!AnswerYes()) return;
  Say("\n\n\r`bright magenta`You get down on one knee, and with nervous trembling");
  Say("\n\rin your voice. You say the following words:");
  Say(std::string("\n\n\r`bright white`") + kStandardLine1);
  Say(std::string("\n\r") + kStandardLine2);
  Say("\r\n\n`dark green`Send This Proposal Or Press `grey`N `dark green`to Write Your Own "
      "(`bright yellow`y`dark green`/`bright yellow`N`dark green`)? ");
  Letter letter;
  if (AnswerYes()) {
    letter.line[0] = kStandardLine1;
    letter.line[1] = kStandardLine2;
  } else {
    letter = WriteLetter("bright white");
  }
  if (!SendToSweetheart(*to, letter, kMarriageProposal)) return;
  Say("\n\n\r`bright white`\260\261\262 Proposal Sent! \262\261\260");
  od_get_key(TRUE);
}

void MarriageRoll() {
  od_clr_scr();
  Say("`bright magenta`\260\261\262 Marriage Roll \262\261\260\n\r");
  db::ResultTable couples =
      db::Query(db::kMarriage, "SELECT Partner1, Partner2, Kids, DateMarried FROM %s",
                db::TableName(db::kMarriage));
  if (couples.empty()) Say("\n\r`grey`Nobody in the realm is married..");
  for (int r = 0; r < couples.rows(); ++r) {
    Say("\n\r`bright magenta`" + CleanText(couples.Text(r, 0)) + " ");
    Say("`dark green`and `bright magenta`" + CleanText(couples.Text(r, 1)));
    Say(" `dark green`since `bright white`" + CleanText(couples.Text(r, 3)) + " ");
    Say("`blue`-=- `dark green`They have `grey`" + std::to_string(couples.Int(r, 2)) +
        " `dark green`kids");
    if ((r + 1) % kRollPage == 0 && r + 1 < couples.rows()) {
      Say("\n\n\r`bright red`Continue (y/n)? ");
      if (od_get_answer("\ryn") == 'n') return;
      od_clr_scr();
    }
  }
  Say("\n\n\r");
  PressAnyKey();
}

}  // namespace trv::economy
