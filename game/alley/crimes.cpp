// The crimes: the frame every crime of the menus runs in, each crime's
// screen, and the rogue guild's pickpocket.
#include <stdlib.h>

#include <string>

#include "doorkit/doorkit.h"
#include "game/alley/alley.h"
#include "game/alley/rules.h"
#include "game/alley/screens.h"
#include "game/alley/units.h"
#include "game/db/db.h"
#include "game/db/liveness.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/economy/accounts.h"
#include "game/economy/screen_text.h"
#include "game/messaging/messaging.h"
#include "game/player/caller.h"
#include "game/ui/ansi.h"
#include "game/ui/ui.h"

namespace trv::alley {
namespace {

using db::kPlayer;
using db::Query;
using db::ResultTable;
using db::TableName;
using economy::Grouped;
using economy::Say;
using player::CallerUserName;
using Purenum::Integer;

constexpr char kCitizensBlame[] = "Citizens blame a low kingdom crime rate!";
constexpr char kNotFound[] = "\n\r`bright red`That player was not found!";

// What a crime's screens need to know of its two parties.
struct Parties {
  Victim victim;
  std::string victim_name;  // cleaned for screens, news and mail
  std::string caller_name;
};

// The lines of a crime the guards stopped; %s is the victim's name.
struct StoppedLines {
  const char* first;
  const char* second;
  const char* third;
};
constexpr StoppedLines kAssassinationStopped = {
    "`dark red`You wait till `yellow`%s `dark red`walks out of a local tavern..",
    "\n\n\rYou attempt to sneak up behind them..",
    "\n\n\r`bright green`YOU WERE SPOTTED BY KINGDOM GUARDS!"};
constexpr StoppedLines kInfectionStopped = {
    "\n\n\r`dark green`You hire a alchemist to go out and poison %s!",
    "\n\n\rThey attempt to drop poison in a mug of ale..",
    "\n\n\r`bright green`THE ALCHEMIST WAS CAUGHT AND EXECUTED!"};
constexpr StoppedLines kBlastStopped = {
    "`dark red`You decide to blow up `yellow`%s's `dark red`investment properties..",
    "\n\n\rYou start to set up some fire barrels..",
    "\n\n\r`bright green`YOU WERE SPOTTED BY KINGDOM GUARDS!"};
constexpr StoppedLines kBurnStopped = {
    "`dark red`You sneak into the bank of the bank and find %s's bank box..",
    "\n\n\rYou take out some flaring powder..",
    "\n\n\r`bright green`YOU DROP THE BOX AND RUN AS KINGDOM GUARDS RUSH INTO THE ROOM!"};

void Failed() {
  od_printf("\n\n\r`dark magenta`%s", ShadeTitle("You Failed!").c_str());
  od_get_key(TRUE);
}

// The guards' roll for a crime of `guards`: true, after telling the caller,
// when they stopped it.
bool GuardsStopped(Guards guards, const Parties& p, const StoppedLines& lines,
                   bool screen_cleared) {
  if (guards == Guards::kNone) return false;
  const std::string kingdom = guards == Guards::kCallers
                                  ? player::CallerText("Kingdom")
                                  : Query(kPlayer, "SELECT Kingdom FROM %s WHERE UserName=%Q",
                                          TableName(kPlayer), p.victim.user_name.c_str())
                                        .Text(0, 0);
  SeedRandomOnce();
  if (!GuardsStop(rand(), KingdomRating(kingdom, "CrimePrevention"))) return false;
  if (!screen_cleared) od_clr_scr();
  od_printf(lines.first, p.victim_name.c_str());
  od_get_key(TRUE);
  od_printf("%s", lines.second);
  od_get_key(TRUE);
  od_printf("%s", lines.third);
  Failed();
  return true;
}

void News(const char* title, const std::string& line1, const std::string& line2 = "") {
  AddNews(title, line1.c_str(), line2.c_str());
}

void Mail(const Parties& p, const char* title, const std::string& line1,
          const std::string& line2 = "") {
  AddPersonal(p.victim.user_name.c_str(), title, line1.c_str(), line2.c_str());
}

void Assassination(const Parties& p, Guards guards) {
  if (GuardsStopped(guards, p, kAssassinationStopped, false)) return;
  const std::optional<Wounds> w = Assassinate(CallerUserName(), p.victim.user_name);
  if (!w) return;
  od_printf("\n\n\r`bright red`%s", ShadeTitle("ASSASSINATED").c_str());
  od_printf("\n\n\r`dark green`You found %s and slip some piano wire around their neck..",
            p.victim_name.c_str());
  od_printf("\n\n\r`bright white`Assassination caused %s to lost:", p.victim_name.c_str());
  od_printf("\n\n\r   `bright blue`%lld leadership pts", w->leadership);
  od_printf("\n\r   `bright blue`%lld strength pts", w->strength);
  od_printf("\n\r   `bright blue`%lld defense pts", w->defense);
  od_printf("\n\r   `bright blue`%lld mental pts", w->mental);
  od_printf("\n\r   `bright blue`%lld max hitpoints", w->max_hp);
  od_printf("\n\r   `bright blue`%lld magic points", w->magic);
  od_printf("\n\n\r`dark red`%s For this bloody act, your divine favor drops by 15..", kShades);
  const bool guarded = guards != Guards::kNone;
  News("`bright cyan`Assassination",
       p.caller_name + " assassinated " + p.victim_name + " using piano wire..",
       guarded ? kCitizensBlame : "");
  // The letter's figures are the guild's boast, not the real losses.
  Mail(p, "`bright cyan`Assassinated",
       p.caller_name + " assassinated you using piano wire! You lost:",
       guarded ? "5 leadership, 5 strength, 3 defense, 10 mental, 4 hps, and 4 magic pts.."
               : "5 leadership, 5 strength, 3 defense, 10 mental, 4 hps, and 3 magic pts..");
  PressKeyIn("grey");
}

void Infection(const Parties& p, Guards guards) {
  od_clr_scr();
  if (GuardsStopped(guards, p, kInfectionStopped, true)) return;
  if (!Infect(p.victim.user_name)) return;
  od_printf("\n\n\r`bright red`%s", ShadeTitle("INFECTION").c_str());
  od_printf("\n\n\r`dark green`You hire a alchemist to go out and poison %s!",
            p.victim_name.c_str());
  od_printf("\n\n\r`bright white`The alchemist gave them the `yellow`Plague`dark green`..");
  News("`bright cyan`Infection",
       p.caller_name + " infected " + p.victim_name + " with the plague..");
  Mail(p, "`bright cyan`Infection", p.caller_name + " infected you with the plague!",
       "Go see the healer for a cure!");
  PressKeyIn("grey");
}

void InvestmentBlast(const Parties& p, Guards guards) {
  if (GuardsStopped(guards, p, kBlastStopped, false)) return;
  const std::optional<BlastLosses> losses = BlowUpInvestments(p.victim.user_name);
  if (!losses) return;
  std::string line1 = "You lost: ", line2;
  for (size_t i = 0; i < kBlastKinds; ++i) {
    std::string& line = i < 3 ? line1 : line2;
    if (i != 0 && i != 3) line += ", ";
    line += Grouped((*losses)[i]) + " " + kBlasts[i].mail_noun;
  }
  Mail(p, "`bright cyan`INVESTMENTS BLOW UP!", line1, line2);
  od_printf("\n\n\r`bright red`%s", ShadeTitle("PROPERTY DESTROYED").c_str());
  od_printf("\n\n\r`dark green`You were successful in destroying some properties of %s..",
            p.victim_name.c_str());
  od_printf("\n\n\r`bright white`Investment Destruction caused %s to lose:", p.victim_name.c_str());
  for (size_t i = 0; i < kBlastKinds; ++i)
    od_printf("%s`dark green`You destroyed `bright green`%s `dark green`%s",
              i == 0 ? "\n\n\r" : "\n\r", Grouped((*losses)[i]).c_str(), kBlasts[i].screen_noun);
  News("`bright cyan`Investments Destroyed",
       p.caller_name + " blew up some investments owned by " + p.victim_name, kCitizensBlame);
  PressKeyIn("grey");
}

void AccountFire(const Parties& p, Guards guards) {
  if (GuardsStopped(guards, p, kBurnStopped, false)) return;
  const std::optional<Integer> burned = BurnBankAccount(p.victim.user_name);
  if (!burned) return;
  const std::string amount = Grouped(*burned);
  od_printf("\n\n\r`bright red`%s", ShadeTitle("BANK ACCOUNT DESTROYED").c_str());
  od_printf("\n\n\r`dark green`You found %s and set fire to their bank box!",
            p.victim_name.c_str());
  od_printf("\n\n\r`bright white`Bank gold lost: `bright white`$%s", amount.c_str());
  News("`bright cyan`Bank Account Destroyed",
       p.caller_name + " snuck into the bank and destroyed " + p.victim_name + "'s bank account!");
  Mail(p, "`bright cyan`Bank Account Destroyed", p.caller_name + " destroyed your bank account!",
       "You lost: $" + amount);
  PressKeyIn("grey");
}

constexpr char kDemonAlready[] =
    "\n\r`bright red`This person already has a demon summoned against them.."
    "\r\n\nOnly one demon can be conjured against somebody..";

void Demon(const Parties& p) {
  od_clr_scr();
  od_printf("\n\r`bright red`%s", ShadeTitle("CONJURE DEMON").c_str());
  od_printf("\n\n\r`bright blue`So you want to send a demon to attack `bright magenta`%s?",
            p.victim_name.c_str());
  od_printf("\n\n\r`bright blue`You enter Magu Sia's old hut to inquire about the price to");
  od_printf("\n\rconjure a demon.");
  od_printf("\n\n\r`grey`Magu Sia is a rogue mage, who only seeks to use his magic for evil..");
  od_printf("\n\n\r`dark green`Conjure a demon: $`bright white`%s",
            Grouped(Integer(kDemonPrice)).c_str());
  od_printf("\n\n\r`dark green`Pay `bright magenta`Magu Sia `dark green`to conjure a demon %s",
            YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  switch (ConjureDemon(CallerUserName(), p.victim)) {
    case DemonOutcome::kConjured:
      break;
    case DemonOutcome::kAlreadySummoned:
      return Tell(kDemonAlready);
    case DemonOutcome::kNotEnoughGold:
      return Tell("\n\n\r`bright red`You don't have enough gold!");
    case DemonOutcome::kNoDeed:
      return Tell(kOutOfDeeds);
    case DemonOutcome::kNoVictim:
      return Tell(kNotFound);
    case DemonOutcome::kNoCaller:
      return;
  }
  od_printf("\n\n\r`bright white`Magu Sia starts chanting while waving his magic wand");
  od_printf("\n\rin circles.");
  od_printf("\n\n\rXlaick Pute Meg Si is chanted..");
  od_get_key(TRUE);
  od_printf("\n\n\r`bright red`Magu Sia stops after 6 chants, and informs you");
  od_printf("\n\rthat a demon has been summoned to attack %s", p.victim_name.c_str());
  PressKeyIn("grey");
}

constexpr char kNotThatMuch[] = "\n\r`bright red`You don't have that much gold to put up!";

void Bounty(const Parties& p) {
  const Integer gold = player::Amount(player::CallerText("Gold").c_str());
  od_clr_scr();
  od_printf("\n\n\r`bright yellow`%s", ShadeTitle("Add Bounty").c_str());
  od_printf("\n\n\r`dark green`Gold On Hand: $`bright white`%s", Grouped(gold).c_str());
  od_printf("\n\n\r`dark green`Put Bounty at How Much? $");
  const std::string typed = economy::ReadDigits(120);
  const Integer amount = typed.empty() ? Integer(0) : Integer(typed);
  if (amount < 1) return Tell("\n\n\r`dark red`Aborted!");
  if (amount > gold) return Tell(kNotThatMuch);
  od_printf("\r\n\n`dark green`Post this bounty %s", YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  // The gold first: the poster and the news only for a bounty paid for.
  std::string wanted;
  switch (PostBounty(CallerUserName(), p.victim, amount, &wanted)) {
    case BountyOutcome::kPosted:
      break;
    case BountyOutcome::kNotEnoughGold:
      return Tell(kNotThatMuch);
    case BountyOutcome::kNoVictim:
      return Tell(kNotFound);
    case BountyOutcome::kNoCaller:
      return;
  }
  News("`bright cyan`Bounty Posted!",
       CleanText(wanted) + " had a bounty placed on their head today..");
  Tell("\n\n\r`bright blue`Bounty Posted!");
}

PlayerListStyle ListStyle(const char* title, const char* column_head = nullptr) {
  PlayerListStyle style;
  style.title = std::string(ansi::kBrightMagenta) + kShades + " " + ansi::kBrightGreen + title +
                " " + ansi::kBrightMagenta + kShadesBack + "\n\n\r";
  style.head_after_blank_lines = false;
  style.offline_label = true;
  style.column_head = column_head;
  return style;
}

// A crime of the frame may go ahead against this victim: the checks that
// refuse without spending anything.
bool MayCommit(int kind, const Crime& crime, const Victim& victim) {
  if (crime.needs_assassin) {
    if (player::CallerInt("Level") < kMinAssassinLevel) {
      Tell("\n\n\r`bright red`Your way to low of a level to attempt this..");
      return false;
    }
    const std::string allowed =
        Query(db::kConfig, "SELECT Assassinations FROM %s", TableName(db::kConfig)).Text(0, 0);
    if (allowed == "0") {
      Tell("\n\n\r`bright red`Assassinations have been disabled..");
      return false;
    }
  }
  if (kind == kConjureDemon && !Query(db::kDemon, "SELECT IDNum FROM %s WHERE UserName=%Q",
                                      TableName(db::kDemon), victim.user_name.c_str())
                                    .empty()) {
    Tell(kDemonAlready);
    return false;
  }
  return true;
}

}  // namespace

void CommitCrime(int kind) {
  const Crime* crime = CrimeOf(kind);
  if (crime == nullptr) return;
  Check_For_Msgs();
  if (crime->asks_deed) {
    if (player::CallerInt("EvilDeeds") < 1) {
      od_clr_scr();
      return Tell(kOutOfDeeds);
    }
    od_printf("\r\n\n`dark green`Use 1 evil deed %s", YesNoMarkup("dark green").c_str());
    if (!AnswerYes()) return;
  }
  ShowPlayerList(Query(kPlayer,
                       "SELECT IDNum,Gender,PlayerName,Level,WhereInGame FROM %s WHERE "
                       "UserName<>%Q AND Kingdom IS NOT NULL ORDER BY IDNum",
                       TableName(kPlayer), CallerUserName()),
                 ListStyle("Victim Selection"));
  const std::string id = AskPlayerId();
  if (id.empty()) return;
  const std::optional<Victim> victim = VictimWithId(id);
  if (!victim) return Tell(kNotFound);
  if (victim->user_name == CallerUserName())
    return Tell("\n\r`bright red`You cannot victimize yourself!");
  if (!MayCommit(kind, *crime, *victim)) return;
  // The deed goes before the crime, checked: a stopped crime costs it too,
  // and a second session cannot spend the last deed twice.
  if (crime->frame_spends_deed && !economy::SpendEvilDeeds(CallerUserName(), 1)) {
    od_clr_scr();
    return Tell(kOutOfDeeds);
  }
  const Parties p{*victim, CleanText(victim->player_name), CleanText(player::CallerPlayerName())};
  switch (kind) {
    case kRogueAssassination:
    case kAssassination:
      return Assassination(p, crime->guards);
    case kRogueInfection:
    case kInfection:
      return Infection(p, crime->guards);
    case kBlowUpInvestments:
      return InvestmentBlast(p, crime->guards);
    case kBurnBankAccount:
      return AccountFire(p, crime->guards);
    case kPostBounty:
      return Bounty(p);
    case kConjureDemon:
      return Demon(p);
  }
}

void Pickpocket() {
  const std::string me = CallerUserName();
  if (player::CallerInt("EvilDeeds") < 1) {
    od_clr_scr();
    return Tell(kOutOfDeeds);
  }
  db::RepairGhosts();  // a killed door's caller is not on-line to rob
  ShowPlayerList(Query(kPlayer,
                       "SELECT IDNum,Gender,PlayerName,Level,WhereInGame FROM %s WHERE Status=1 "
                       "AND UserName<>%Q AND Kingdom IS NOT NULL ORDER BY Level DESC",
                       TableName(kPlayer), me.c_str()),
                 ListStyle("Tarvessia: Unsuspecting Victims",
                           " ID     Player               Level       Where Are They?"));
  const std::string id = AskPlayerId();
  if (id.empty()) return;
  const std::optional<Victim> victim = VictimWithId(id, /*online_only=*/true);
  if (!victim) return Tell("\n\r`bright red`That player is currently not online!");
  if (victim->user_name == me) return Tell("\n\r`bright red`You cannot choose yourself!");
  const std::string name = CleanText(victim->player_name);
  od_printf("\r\n\n`dark green`Attempt to Pickpocket `bright green`%s`dark green`%s", name.c_str(),
            YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  od_printf("\r\n\n`dark green`Use 1 evil deed %s", YesNoMarkup("dark green").c_str());
  if (!AnswerYes()) return;
  if (!economy::SpendEvilDeeds(me, 1)) {
    od_clr_scr();
    return Tell(kOutOfDeeds);
  }
  od_clr_scr();
  SeedRandomOnce();
  if (PickpocketCaught(rand())) {
    const std::string place =
        CleanText(Query(kPlayer, "SELECT WhereInGame FROM %s WHERE UserName=%Q", TableName(kPlayer),
                        victim->user_name.c_str())
                      .Text(0, 0));
    od_printf(
        "`dark red`While `yellow`%s `dark red`is `bright green`%s `dark red`you try to "
        "pickpocket them..",
        name.c_str(), place.c_str());
    od_get_key(TRUE);
    od_printf("\n\n\rYou attempt to sneak up behind them..");
    od_get_key(TRUE);
    od_printf("\n\n\r`bright green`YOU WERE SPOTTED BY KINGDOM GUARDS!");
    return Failed();
  }
  // What the pouch holds now, whatever it held when the list was drawn.
  const player::GoldMove stolen = PickPurse(me, victim->user_name);
  if (!stolen) return;
  od_printf("\n\n\r`bright red`%s", ShadeTitle("SUCCESSFUL PICKPOCKET!").c_str());
  od_printf("\n\n\r`dark green`While %s was busy you slip behind them and steal their gold pouch..",
            name.c_str());
  od_printf("\n\n\r`bright white`You pickpocked: $%s", Grouped(stolen.moved).c_str());
  if (stolen.moved > 0)
    AddPersonal(victim->user_name.c_str(), "`bright cyan`Pickpocked!",
                "Your gold pouch seems to be a little light!", "");
  PressKeyIn("grey");
}

}  // namespace trv::alley
