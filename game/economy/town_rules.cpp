#include "game/economy/town_rules.h"

#include <string.h>

#include <algorithm>

namespace trv::economy {

using Purenum::Integer;

const Candle kCandles[kCandleKinds] = {
    {'1',
     "`bright yellow`Yellow Candle",
     "Divine Favor",
     {"Divine=Divine+3", "\n\n\r`bright red`\260\261\262 Divine Favor increases by 3!"}},
    {'2',
     "`bright blue`Blue Candle",
     "Player Fights",
     {"PlayerFights=PlayerFights+1",
      "\n\n\r`bright red`\260\261\262 Player Fights increase by 1!"}},
    {'3',
     "`bright red`Red Candle",
     "Intellect",
     {"Intellect=Intellect+5", "\n\n\r`bright red`\260\261\262 Intellect increases by 5!"}},
    {'4',
     "`bright green`Green Candle",
     "Monster Fights",
     {"MonsterFights=MonsterFights+2",
      "\n\n\r`bright red`\260\261\262 Monster Fights increase by 2!"}},
};

const Boon kWorshipBoons[kBoonDraws] = {
    {"Charm=Charm+3", "\n\n\r`bright yellow`\260\261\262 Charm increases by 3!"},
    {"MonsterFights=MonsterFights+1",
     "\n\n\r`bright yellow`\260\261\262 Monster fights increase by 1!"},
    {"MaxHP=MaxHP+2", "\n\n\r`bright yellow`\260\261\262 Hitpoints increase by 2!"},
    {"MaxMagicPower=MaxMagicPower+2",
     "\n\n\r`bright yellow`\260\261\262 Magic Power increases by 2!"},
    {"Defense=Defense+3", "\n\n\r`bright yellow`\260\261\262 Defense increases by 3!"},
};

const Boon kFamilyBoons[kBoonDraws] = {
    {"Charm=Charm+3", "\n\n\r`bright yellow`\260\261\262 Charm increases by 3!"},
    {"MonsterFights=MonsterFights+2",
     "\n\n\r`bright yellow`\260\261\262 Monster fights increase by 2!"},
    {"Agility=Agility+2", "\n\n\r`bright yellow`\260\261\262 Agility increase by 2!"},
    {"MaxMagicPower=MaxMagicPower+1",
     "\n\n\r`bright yellow`\260\261\262 Magic Power increases by 1!"},
    {"Strength=Strength+3", "\n\n\r`bright yellow`\260\261\262 Strength increases by 3!"},
};

const Boon kChurchBoons[kBoonDraws] = {
    {"MaxHP=MaxHP+3", "\n\n\r`bright yellow`\260\261\262 Hit Points increase by 3!"},
    {"MonsterFights=MonsterFights+1",
     "\n\n\r`bright yellow`\260\261\262 Monster fights increase by 1!"},
    {"Intellect=Intellect+2", "\n\n\r`bright yellow`\260\261\262 Intellect increase by 2!"},
    {"MaxMagicPower=MaxMagicPower+2",
     "\n\n\r`bright yellow`\260\261\262 Magic Power increases by 2!"},
    {"Defense=Defense+3", "\n\n\r`bright yellow`\260\261\262 Defense increases by 3!"},
};

const Candle* CandleByKey(char key) {
  for (const Candle& candle : kCandles)
    if (candle.key == key) return &candle;
  return nullptr;
}

long long PotionsPurchasable(const Integer& gold, long long potions) {
  const long long room = std::max(0LL, kSackSize - std::max(0LL, potions));
  if (gold <= 0) return 0;
  // Anything the sack can take is below 301, so compare before narrowing.
  const Integer affordable = gold / kPotionPrice;
  return affordable >= Integer(room) ? room : std::stoll(affordable.str());
}

bool Diseased(const char* disease) {
  return disease != nullptr && *disease != '\0' && strcmp(disease, kHealthy) != 0;
}

const InnGuard kInnGuards[kGuardKinds] = {
    {'1', "Human Bodyguard", "500000", "\n\n\r`yellow`A human stands guard at the door.."},
    {'2', "Gnoll Bodyguard", "5000000", "\n\n\r`yellow`A gnoll stands guard at the door.."},
    {'3', "Devil Hound Bodyguard", "80000000",
     "\n\n\r`yellow`A Devil Hound stands guard at the door.."},
    {'4', "Dragon Bodyguard", "300000000", "\n\n\r`yellow`A Red Dragon stands guard at the door.."},
};

const InnGuard* GuardByKey(char key) {
  for (const InnGuard& guard : kInnGuards)
    if (guard.key == key) return &guard;
  return nullptr;
}

Integer GuardsPrice(const InnGuard& guard, int count) { return Integer(guard.price) * count; }

Integer WagerChange(const Integer& stake, int draw) { return draw == 0 ? stake * 2 : -stake; }

const MurderScene kMurders[kMurderScenes] = {
    {"50000",
     {"\n\n\r`dark red`A fat merchant kneels alone before the altar, his purse hanging",
      "\n\rheavy from his belt. You slip up behind him while he mumbles his",
      "\n\rprayers, and a brass candlestick finds the back of his head. He",
      "\n\rslumps over the altar rail without a sound..", nullptr},
     "\n\n\r`dark green`You take $`bright white`50,000 `dark green`gold from the dead body.."},
    {"25000",
     {"\n\n\r`dark red`A weary pilgrim lies asleep on the last pew, a small leather",
      "\n\rbag clutched to his chest. You sit down beside him as if to pray, then",
      "\n\rpress a hymn book over his face and lean on it until he stops", "\n\rkicking..",
      nullptr},
     "\n\n\r`dark green`You take $`bright white`25,000 `dark green`gold from the dead body.."},
    {"75000",
     {"\n\n\r`dark red`A nobleman in fine silks steps into the confession booth. You",
      "\n\rfollow him in and draw the curtain behind you. He turns and opens his",
      "\n\rmouth to shout, but your dagger finds his throat before the words do.",
      "\n\rOutside the choir sings on, none the wiser. His purse was meant as",
      "\n\ran offering.."},
     "\n\n\r`dark green`You take $`bright white`75,000 `dark green`gold from the dead body.."},
};

bool TithesStolen(int draw) { return draw < 4; }

}  // namespace trv::economy
