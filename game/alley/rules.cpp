#include "game/alley/rules.h"

#include <string.h>

namespace trv::alley {

using Purenum::Integer;

const Crime* CrimeOf(int kind) {
  static constexpr Crime kCrimes[] = {
      {Guards::kNone, true, true, true},      // 1 rogue assassination
      {Guards::kNone, false, true, true},     // 2 rogue infection
      {Guards::kVictims, true, true, true},   // 3 assassination
      {Guards::kVictims, false, true, true},  // 4 infection
      {Guards::kVictims, false, true, true},  // 5 blowing up investments
      {Guards::kCallers, false, true, true},  // 6 burning an account: own guards
      {Guards::kNone, false, false, false},   // 7 a bounty: gold, no deed
      {Guards::kNone, false, false, true},    // 8 a demon takes its own deed
  };
  if (kind < 1 || kind > 8) return nullptr;
  return &kCrimes[kind - 1];
}

// rand() is never negative; a negative roll from elsewhere counts as 0.
static int Percentile(int roll) { return roll < 0 ? 0 : roll % 100; }

bool GuardsStop(int roll, long long crime_prevention) {
  return Percentile(roll) < crime_prevention;
}

bool PickpocketCaught(int roll) { return Percentile(roll) < 45; }

bool BorderCaught(int roll, long long border_guard_rating) {
  return Percentile(roll) < border_guard_rating;
}

long long AssassinationLoss(long long value, bool max_hp) {
  const long long loss = value / 50;  // 2 %, truncated toward zero
  if (loss < 0) return max_hp ? 1 : 0;
  return loss;
}

bool CaughtDisease(int roll) { return roll >= 0 && roll % 10 < 4; }

long long MilitiaRecruits(int roll, long long leadership) {
  if (leadership <= 0 || roll < 0) return 0;
  return roll % leadership;
}

const Vice* WaresFor(const ViceShop& shop, const char* gender) {
  if (shop.other_wares != nullptr && strcmp(gender, "Male") != 0) return shop.other_wares;
  return shop.wares;
}

// ---- The three shops ----

namespace {

const char* const kBordelloDescription[] = {
    "`dark green`Eden's bordello house employes some of the ugliest and sexiest",
    "\n\rof males and females. There is nothing wrong with getting a little",
    "\n\rnookie on the side, even if your married..",
    nullptr,
};
const char* const kBordelloStory[] = {
    "`dark red`Your and your whore exchange foreplay, and enjoy each other..",
    "\n\n\rYou go at it a few more times..",
    "\n\n\rPhew...Your holding your head a lot higher!",
};
constexpr Vice kMenAtTheBordello[kVicesPerShop] = {
    {"Gredizla", "A possible relative of a lizard..", "100", 2, 3, nullptr},
    {"Cortile", "Gnome who seems to smell REAL BAD..", "300", 10, 13, nullptr},
    {"Ulga", "Ugly looking mutant, but she shags great", "900", 15, 19, nullptr},
    {"Trish", "Human girl, seems to have warts all over", "5000", 25, 25, nullptr},
    {"Plebani", "Elf girl, looks to be 18 or so..", "150000", 32, 33, nullptr},
    {"Cherish", "Blond haired waitress for the tavern", "1000000", 45, 40, nullptr},
    {"Helen", "All you know about this one, is the name", "6000000", 55, 45, nullptr},
    {"Jezebel", "This is the owner's special virgin girl", "12000000", 70, 50, nullptr},
};
constexpr Vice kOthersAtTheBordello[kVicesPerShop] = {
    {"Po Spli", "Tall thin and extremely smelly...", "100", 2, 3, nullptr},
    {"Seth Green", "Short frizzy haired elven teenager..", "300", 10, 13, nullptr},
    {"Unga", "Ugly looking mutant, but he shags great", "900", 15, 19, nullptr},
    {"Bli Bli", "Human with no genitals..How good can he be?", "5000", 25, 25, nullptr},
    {"Tanis", "Half Elf, fine looking and strong..", "150000", 32, 33, nullptr},
    {"Rakishi", "Cute teen, who can pleasure for hours..", "1000000", 45, 40, nullptr},
    {"Helga", "For you lesbians, this one is for you!", "6000000", 55, 45, nullptr},
    {"Astin", "This is the owner's special virgin man", "12000000", 70, 50, nullptr},
};

const char* const kDrugDescription[] = {
    "`dark green`Welcome to Pike's Drug Palace! Remember you enter at your own",
    "\n\rrisk..Drug's give euphorating highs..but could give you a nice",
    "\n\rlittle coma..Pike sit's behind his drug bar and shows you what",
    "\n\rhe has available for your high..",
    nullptr,
};
const char* const kMarajuna[] = {
    "`bright green`You take the marajuna from Pike, and start puffing..", "\n\n\rPuff Puff..",
    "\n\n\rPuff.."};
const char* const kPythn[] = {"`bright green`You take the pythn from Pike, and start snorting..",
                              "\n\n\rSnort Snort..", "\n\n\rSnort.."};
const char* const kFireLsd[] = {
    "`bright green`You take the Fire LSD from Pike, and start licking the paper..",
    "\n\n\rLick Lick..", "\n\n\rLick.."};
const char* const kEcstasy[] = {
    "`bright green`You take the ecstasy from Pike, and start using it..", "\n\n\rAHHH AHHH..",
    "\n\n\rAHHAHH THE PAIN.."};
const char* const kShooterUpper[] = {
    "`bright green`You take the Shooter Upper from Pike, addiction sets in..",
    "\n\n\rGASP GASP AHHH I NEED IT!!", "\n\n\rOH GOD THIS IS GOOD.."};
const char* const kBliBli[] = {"`bright green`You take the Bli Bli from Pike, and drinking it..",
                               "\n\n\rGulp Gulp..", "\n\n\rGulp.."};
const char* const kHerion[] = {
    "`bright green`You take the Herion X2 from Pike, and you seem to be floating into heaven..",
    "\n\n\rDuh Duh Duh..", "\n\n\rDuuuuuuuuuh.."};
const char* const kPikePush[] = {
    "`bright green`You take the Pikes Push from Pike, and start snorting..", "\n\n\rSnort Snort..",
    "\n\n\rSnort.."};
constexpr Vice kDrugs[kVicesPerShop] = {
    {"Marajuna", "A nice smoking blunt to help your nerves", "3000", -2, 3, kMarajuna},
    {"Pythn", "Orcish snort medicine..Blurs vision..", "60000", -10, 6, kPythn},
    {"Fire LSD", "Just touch the paper and dreams begin..", "700000", -30, 10, kFireLsd},
    {"Ecstasy", "Party drug, go dancing afterwards", "3000000", -40, 13, kEcstasy},
    {"Shooter Upper", "Feel like your falling from clouds", "15000000", -55, 20, kShooterUpper},
    {"Bli Bli", "Gnomish mixture. Effects are different", "50000000", -70, 23, kBliBli},
    {"Herion X2", "Ah, the good shit..Not for the weak mind", "100000000", -80, 27, kHerion},
    {"Pike Push", "Hardest drug available..MY GOD THE HEAT", "300000000", -100, 40, kPikePush},
};

const char* const kSteroidDescription[] = {
    "`dark green`So you don't think you are strong enough? Well steroids",
    "\n\rwill certinaly bump up your strength points. The gnoll that sells",
    "\n\rthe roids will strap you down in a chair and stick your arm with",
    "\n\rwhatever you desire..",
    nullptr,
};
const char* const kSteroidStory[] = {
    "`dark red`The gnoll straps you down in a chair and slowly pushes"
    "\n\rthe needle containing the steroid you purchased into your arm..",
    "\n\n\rAHHHH THE RUSH AND PAIN!!",
    "\n\n\rYou get up outta the chair and feel supersized!",
};
constexpr Vice kSteroids[kVicesPerShop] = {
    {"Pusher", "The cheapest boost for your strength", "5000", -6, 5, nullptr},
    {"Lifter", "Offering a nice lift for more power..", "20000", -15, 10, nullptr},
    {"Dixonal", "Green liquid, builds bulk quickly..", "70000", -26, 13, nullptr},
    {"EndroGin", "Not really sure if this can help..", "200000", -36, 17, nullptr},
    {"Acidrin", "Red juice that promises to give results..", "500000", -46, 22, nullptr},
    {"Bulker", "Helps for crushing orc heads with hands..", "800000", -60, 30, nullptr},
    {"Demon X2", "Power builders choice for gladiators..", "900000", -100, 40, nullptr},
    {"Avatar Push", "If you can survive the pain!! Worth it!!", "2000000", -200, 55, nullptr},
};

const char* const kDrugOverdose[] = {
    "\n\n\r`grey`Sadly, your mental state was too low to handle this drug",
    "\n\ryou have died today..Before trying drugs again, the whore",
    "\n\rhouse will boost your mental state!!",
};
const char* const kSteroidOverdose[] = {
    "\n\n\r`grey`Sadly, your mental state was too low to handle this roid..",
    "\n\rYou have died today..Before trying steroids again, the whore",
    "\n\rhouse will boost your mental state!!",
};

}  // namespace

const ViceShop kTemptationWorld = {
    ViceShopKind::kBordello,
    kBordelloDescription,
    "\n\n\r`bright blue`\260\261\262 `dark red`Temptation World `bright blue`\262\261\260",
    false,
    "Stamina",
    "\n\n\r`grey`Pay `bright green`$%s `grey`for the time [`bright yellow`y`grey`/`bright "
    "yellow`N`grey`]? ",
    "\n\n\r`dark red`You don't have enough gold you lousy bum!!!",
    kBordelloStory,
    "\n\n\r`grey`\260\261\262 You gain %d stamina pts..",
    "\n\r\260\261\262 Mental state increases by %d pts..",
    kMenAtTheBordello,
    kOthersAtTheBordello,
    nullptr,
    nullptr,
    nullptr,
};

const ViceShop kDrugPalace = {
    ViceShopKind::kDrugs,
    kDrugDescription,
    "\n\n\r`grey`\260\261\262 `dark red`Drug List `grey`\262\261\260",
    true,
    "ProfExp",
    "\n\n\r`grey`Pay `bright green`$%s `grey`for the drug [`bright yellow`y`grey`/`bright "
    "yellow`N`grey`]? ",
    "\n\n\r`dark red`You don't have enough gold!",
    nullptr,
    "\n\n\r`grey`\260\261\262 You gain %d HIGH EXPERIENCE pts!",
    "\n\r\260\261\262 Mental state drops by %d pts..",
    kDrugs,
    nullptr,
    kDrugOverdose,
    "`bright cyan`DRUG OVERDOSE",
    " died due to a overusage of drugs today!",
};

const ViceShop kSteroidShop = {
    ViceShopKind::kSteroids,
    kSteroidDescription,
    "\n\n\r`grey`\260\261\262 `dark red`Roid Heaven `grey`\262\261\260",
    true,
    "Strength",
    "\n\n\r`grey`Pay `bright green`$%s `grey`for the roid [`bright yellow`y`grey`/`bright "
    "yellow`N`grey`]? ",
    "\n\n\r`dark red`You don't have enough gold!",
    kSteroidStory,
    "\n\n\r`grey`\260\261\262 You gain %d strength pts..",
    "\n\r\260\261\262 Mental state decreases by %d pts..",
    kSteroids,
    nullptr,
    kSteroidOverdose,
    "`bright cyan`STEROID OVERDOSE",
    " died while trying to bulk up on steroids!",
};

}  // namespace trv::alley
