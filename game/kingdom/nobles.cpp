// The ruler's nobles: promoting citizens of the kingdom to its four posts
// and demoting them again.
#include <stdlib.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"
#include "game/kingdom/court_screens.h"
#include "game/messaging/messaging.h"
#include "game/money/money.h"
#include "game/place/place.h"
#include "game/player/caller.h"
#include "game/ui/ui.h"

namespace trv::kingdom {
namespace {

using db::kKingdom;
using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;

struct Post {
  const char* column;  // and column + "UserName"
  const char* word;    // "prince"
  const char* gender;
  const char* label;         // "Prince  "
  const char* conflicts[2];  // posts of this kingdom that bar a promotion
  const char* news_title;
};

const Post kPosts[] = {
    {"Prince", "prince", "Male", "Prince  ", {"Royal", "Baron"}, "`bright cyan`PRINCE PROMOTION"},
    {"Princess",
     "princess",
     "Female",
     "Princess",
     {"Princess", nullptr},
     "`bright cyan`PRINCESS PROMOTION"},
    {"Baron", "baron", "Male", "Baron   ", {"Royal", "Prince"}, "`bright cyan`BARON PROMOTION"},
    {"Royal", "royal", "Male", "Royal   ", {"Baron", "Prince"}, "`bright cyan`ROYAL PROMOTION"},
};

ResultTable Nobles() {
  return Query(kKingdom,
               "SELECT Prince,Princess,Baron,Royal,Ruler,Name FROM %s WHERE RulerUserName=%Q",
               TableName(kKingdom), player::CallerUserName());
}

void NoblesPage() {
  od_clr_scr();
  od_printf("`bright yellow`%s Kingdom Nobles %s", kShades, kShadesBack);
  od_printf("\n\r      1. Build Up Royal Army");
  od_printf("\n\r      2. Donate/Embezzel From Treasury");
  od_printf("\n\r      3. Kingdom Improvements");
  od_printf("\n\r      4. Espionage/Terrorism");
  od_printf("\n\r      5. They don't pay any kingdom taxes");
  od_printf("\n\n\r`yellow`So be careful who you promote! Make sure you can trust them!");
  ResultTable nobles = Nobles();
  od_printf("\n\n\r`dark green`Current Nobles:");
  for (int i = 0; i < 4; ++i) {
    const std::string name = CleanText(nobles.Text(0, i));
    if (name.empty())
      od_printf("\n\r     %s: `grey`{Nobody}`dark green`", kPosts[i].label);
    else
      od_printf("\n\r     %s: `bright yellow`%s`dark green`", kPosts[i].label, name.c_str());
  }
  od_printf("\n\n\r`dark green`[`bright yellow`1`dark green`] Promote Citizen to Prince");
  od_printf("\n\r`dark green`[`bright yellow`2`dark green`] Promote Citizen to Princess");
  od_printf("\n\r`dark green`[`bright yellow`3`dark green`] Promote Citizen to Baron");
  od_printf("\n\r`dark green`[`bright yellow`4`dark green`] Promote Citizen to Royal");
  od_printf("\n\n\r`dark green`[`bright yellow`D`dark green`]emote a Noble");
  od_printf("\n\n\r`dark green`[`bright yellow`R`dark green`]eturn to Courtyard");
  od_printf("\n\n\rYour Selection: ");
}

// The candidates, ten to a page; n at "Continue (y/n)?" ends the list.
void ListCandidates(const Post& post, const std::string& kingdom) {
  ResultTable list =
      Query(kPlayer,
            "SELECT IDNum,PlayerName,Level FROM %s WHERE UserName<>%Q AND "
            "Kingdom=%Q AND Gender=%Q ORDER BY IDNum",
            TableName(kPlayer), player::CallerUserName(), kingdom.c_str(), post.gender);
  od_clr_scr();
  od_printf("`bright blue`%s `bright yellow`Tarvessia: Promotions `bright blue`%s\n\n\r", kShades,
            kShadesBack);
  od_printf("`bright white` ID     Player               Level\n\r");
  od_printf("`dark green`%s", kShortRule);
  for (int r = 0; r < list.rows(); ++r) {
    od_printf(
        "\n\r `dark green`[`bright yellow`%-3s`dark green`]  `bright green`%-21s `bright cyan`%s",
        list.Text(r, 0), CleanText(list.Text(r, 1)).c_str(),
        AddCommas(std::to_string(list.Int(r, 2))).c_str());
    if ((r + 1) % 10 == 0 && r + 1 < list.rows()) {
      od_printf("\n\n\r`bright red`Continue (y/n)? ");
      if (od_get_answer("\ryn") == 'n') return;
    }
  }
}

enum class Promotion { kDone, kSelf, kElsewhere, kInvalid, kAlready, kFilled, kLost };

// Every check again under the write lock, then the post.
Promotion Promote(const Seat& seat, const Post& post, long long id, std::string* name,
                  std::string* user) {
  Promotion outcome = Promotion::kLost;
  db::RunWriteUnit([&] {
    if (!StillSeated(seat.role, seat.kingdom)) return false;
    ResultTable k =
        Query(kKingdom, "SELECT %s,%s,%s FROM %s WHERE RulerUserName=%Q AND Name=%Q", post.column,
              post.conflicts[0], post.conflicts[1] ? post.conflicts[1] : post.column,
              TableName(kKingdom), player::CallerUserName(), seat.kingdom.c_str());
    if (k.empty()) return false;
    ResultTable who =
        Query(kPlayer, "SELECT UserName,PlayerName,Kingdom,Gender FROM %s WHERE IDNum=%lld",
              TableName(kPlayer), id);
    if (who.empty())
      outcome = Promotion::kInvalid;
    else if (std::string(who.Text(0, 0)) == player::CallerUserName())
      outcome = Promotion::kSelf;
    else if (seat.kingdom != who.Text(0, 2))
      outcome = Promotion::kElsewhere;
    else if (std::string(who.Text(0, 3)) != post.gender)
      outcome = Promotion::kInvalid;
    else if (who.Text(0, 1) == std::string(k.Text(0, 1)) ||
             who.Text(0, 1) == std::string(k.Text(0, 2)))
      outcome = Promotion::kAlready;
    else if (*k.Text(0, 0))
      outcome = Promotion::kFilled;
    else
      outcome = Promotion::kDone;
    if (outcome != Promotion::kDone) return false;
    *user = who.Text(0, 0);
    *name = who.Text(0, 1);
    db::Exec(kKingdom, "UPDATE %s SET %s=%Q,%sUserName=%Q WHERE RulerUserName=%Q",
             TableName(kKingdom), post.column, name->c_str(), post.column, user->c_str(),
             player::CallerUserName());
    return true;
  });
  return outcome;
}

void PromotionScreen(const Seat& seat, const Post& post) {
  if (*Nobles().Text(0, &post - kPosts)) {
    od_printf("\n\n\r`bright red`You already have a %s!", post.word);
    od_get_key(TRUE);
    return;
  }
  ListCandidates(post, seat.kingdom);
  od_printf("\n\n\r`dark green`Enter Player ID# <`grey`Enter to Exit`dark green`>: ");
  const std::string typed = ReadDigits(4);
  if (typed.empty()) return;
  const long long id = atoll(typed.c_str());
  ResultTable chosen =
      Query(kPlayer, "SELECT PlayerName FROM %s WHERE IDNum=%lld", TableName(kPlayer), id);
  std::string name, user;
  if (!chosen.empty()) {
    od_printf("\r\n\n`dark green`Promote `bright green`%s `dark green`%s",
              CleanText(chosen.Text(0, 0)).c_str(), YesNoMarkup("dark green").c_str());
    if (!AnswerYes()) return;
  }
  switch (Promote(seat, post, id, &name, &user)) {
    case Promotion::kLost:
      return TellSeatLost();
    case Promotion::kSelf:
      return Refuse("\n\r`bright red`You cannot promote yourself!");
    case Promotion::kElsewhere:
      return Refuse("\n\r`bright red`They do not live in your kingdom!");
    case Promotion::kInvalid:
      return Refuse("\n\n\r`bright red`Invalid selection!");
    case Promotion::kAlready:
      return Refuse("\n\n\r`bright red`This person is already a noble!");
    case Promotion::kFilled:
      od_printf("\n\n\r`bright red`You already have a %s!", post.word);
      od_get_key(TRUE);
      return;
    case Promotion::kDone:
      break;
  }
  od_printf("\n\n\r`bright yellow`Promoted!");
  AddNews(post.news_title,
          (name + " was promoted to " + post.word + " of Kingdom " + seat.kingdom).c_str(), "");
  AddPersonal(user.c_str(), "`bright cyan`KINGDOM PROMOTION",
              (seat.player_name + " promoted you to a " + post.word + " of Kingdom " + seat.kingdom)
                  .c_str(),
              "You now have access to certain Kingdom Courtyard options..");
  od_get_key(TRUE);
}

// Empties the post as one unit. *user is who held it ("" when it was
// vacant); false when the caller no longer rules.
bool Demote(const Seat& seat, const Post& post, std::string* user, std::string* ruler) {
  return db::RunWriteUnit([&] {
    if (!StillSeated(seat.role, seat.kingdom)) return false;
    ResultTable k = Query(kKingdom, "SELECT %s,Ruler,%sUserName FROM %s WHERE RulerUserName=%Q",
                          post.column, post.column, TableName(kKingdom), player::CallerUserName());
    if (k.empty()) return false;
    *ruler = k.Text(0, 1);
    *user = k.Text(0, 2);
    db::Exec(kKingdom, "UPDATE %s SET %s='',%sUserName='' WHERE RulerUserName=%Q",
             TableName(kKingdom), post.column, post.column, player::CallerUserName());
    return true;
  });
}

void DemotionScreen(const Seat& seat) {
  ResultTable nobles = Nobles();
  od_printf("\n\n\r`dark green`Select which person to demote:");
  od_printf("\n\n\r      1. `yellow`%s", CleanText(nobles.Text(0, 0)).c_str());
  od_printf("\n\r      `dark green`2. `yellow`%s", CleanText(nobles.Text(0, 1)).c_str());
  od_printf("\n\r      `dark green`3. `yellow`%s", CleanText(nobles.Text(0, 2)).c_str());
  od_printf("\n\r      `dark green`4. `yellow`%s", CleanText(nobles.Text(0, 3)).c_str());
  od_printf("\n\n\r`dark green`Your Selection: `grey`[Enter to quit] `dark green`");
  const char key = od_get_answer("1234\r");
  if (key < '1' || key > '4') return;
  const Post& post = kPosts[key - '1'];
  std::string user, ruler;
  if (!Demote(seat, post, &user, &ruler)) return TellSeatLost();
  if (user.empty()) {  // nobody to tell
    od_printf("\n\n\r`bright red`Nobody holds the %s post!", post.word);
    od_get_key(TRUE);
    return;
  }
  AddPersonal(user.c_str(), "`bright cyan`KINGDOM DEMOTION",
              (ruler + " demoted you from your " + post.word + " position..").c_str(), "");
}

}  // namespace

void NoblesScreen(const Seat& seat) {
  auto promote = [&](int i) { return [&seat, i] { PromotionScreen(seat, kPosts[i]); }; };
  PlaceScreen screen;
  screen.draw = NoblesPage;
  screen.open = [seat] { return StillSeated(seat.role, seat.kingdom); };
  RunPlace(screen, {{'1', nullptr, promote(0)},
                    {'2', nullptr, promote(1)},
                    {'3', nullptr, promote(2)},
                    {'4', nullptr, promote(3)},
                    {'D', nullptr, [&] { DemotionScreen(seat); }},
                    {'R', nullptr, nullptr, /*leaves=*/true}});
}

}  // namespace trv::kingdom
