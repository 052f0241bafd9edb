#include "game/db/schema.h"

#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/transaction.h"

namespace trv::db {
namespace {

const char* const kNames[kTableCount] = {
    "chat", "kingdom", "player",  "marriage", "poster",  "news",  "usernews",
    "node", "state",   "tavchat", "quest",    "suicide", "demon", "config",
};

// IF NOT EXISTS and the guarded state row let two nodes that meet a missing
// table at the same moment both succeed.
const char* const kCreate[kTableCount] = {
    // 0 chat
    "CREATE TABLE IF NOT EXISTS chat (IDNum INTEGER PRIMARY KEY, WhoSent TEXT, Line1 TEXT, "
    "Line2 TEXT)",
    // 1 kingdom
    "CREATE TABLE IF NOT EXISTS kingdom (IDNum INTEGER PRIMARY KEY, Name TEXT, Ruler TEXT, "
    "RulerUserName TEXT, Prince TEXT, PrinceUserName TEXT, Princess TEXT, PrincessUserName TEXT, "
    "Baron TEXT, BaronUserName TEXT, Royal TEXT, RoyalUserName TEXT, SerfSupport INT, TaxRate "
    "INT, MerchantTax INT, CrimePrevention INT, BorderGuardRating INT, EquipmentRating INT, "
    "Training INT, DragonRiders INT, Katapults INT, Cannons INT, MagicTowers INT, Soldiers INT, "
    "Serfs INT, Land INT, DipName1 TEXT, Dip1War INT, Dip1Peace INT, Dip1Trade INT, DipName2 "
    "TEXT, Dip2War INT, Dip2Peace INT, Dip2Trade INT, DipName3 TEXT, Dip3War INT, Dip3Peace INT, "
    "Dip3Trade INT, DipName4 TEXT, Dip4War INT, Dip4Peace INT, Dip4Trade INT, DipName5 TEXT, "
    "Dip5War INT, Dip5Peace INT, Dip5Trade INT, Treasury TEXT, HoldTaxes TEXT)",
    // 2 player
    "CREATE TABLE IF NOT EXISTS player (IDNum INTEGER PRIMARY KEY, UserName TEXT, PlayerName "
    "TEXT, Kingdom TEXT, FirstClass TEXT, SecondClass TEXT, Guild TEXT, Gender TEXT, FirstRace "
    "TEXT, SecondRace TEXT, Disease TEXT, Inn TEXT, BodyGuards INT, GoodDeeds INT, EvilDeeds INT, "
    "ProfLevel INT, Potions INT, MonsterFights INT, PlayerFights INT, PlayerKills INT, "
    "PlayerDefeats INT, ProfExp INT, Level INT, Experience INT, Agility INT, Mental INT, Divine "
    "INT, Charm INT, Intellect INT, Leadership INT, Stamina INT, Strength INT, Defense INT, "
    "PoisonLevel INT, HP INT, MaxHP INT, MagicPower INT, MaxMagicPower INT, Smuggling TEXT, "
    "DrugTrade TEXT, FleshTrade TEXT, HouseTrade TEXT, WaterTower TEXT, OreMine TEXT, Granary "
    "TEXT, Soldiers INT, DragonRiders INT, Kannons INT, Katapults INT, EquipmentRating INT, Gold "
    "TEXT, BankGold TEXT, Depository TEXT, Magic1 TEXT, Magic2 TEXT, Magic3 TEXT, Magic4 TEXT, "
    "Equip1 TEXT, Equip2 TEXT, Equip3 TEXT, Equip4 TEXT, Equip5 TEXT, Equip6 TEXT, Equip7 TEXT, "
    "Equip8 TEXT, Equip9 TEXT, Equip10 TEXT, Equip11 TEXT, Equip12 TEXT, Equip13 TEXT, Equip14 "
    "TEXT, Equip15 TEXT, Equip16 TEXT, Equip17 TEXT, Equip18 TEXT, Equip19 TEXT, Equip20 TEXT, "
    "Equip21 TEXT, Equip22 TEXT, Equip23 TEXT, Equip24 TEXT, Equip25 TEXT, Equip26 TEXT, Equip27 "
    "TEXT, Equip28 TEXT, Equip29 TEXT, Equip30 TEXT, Status INT, WhereInGame TEXT)",
    // 3 marriage
    "CREATE TABLE IF NOT EXISTS marriage (Partner1 TEXT, Partner1UserName TEXT, Partner2 TEXT, "
    "Partner2UserName TEXT, Kids INT, DateMarried TEXT)",
    // 4 poster
    "CREATE TABLE IF NOT EXISTS poster (Wanted TEXT, Bounty TEXT, SetByUsername TEXT)",
    // 5 news
    "CREATE TABLE IF NOT EXISTS news (day TEXT, Title TEXT, Line1 TEXT, Line2 TEXT)",
    // 6 usernews
    "CREATE TABLE IF NOT EXISTS usernews (IDNum INTEGER PRIMARY KEY, UserName TEXT, TypeOfReq "
    "INT, Line1 TEXT, Line2 TEXT, Line3 TEXT, SenderPlayerName TEXT, SenderUserName TEXT)",
    // 7 node
    "CREATE TABLE IF NOT EXISTS node (IDNum INTEGER PRIMARY KEY, TypeOf INT, Line1 TEXT, Line2 "
    "TEXT, Line3 TEXT, Line4 TEXT, Line5 TEXT, SentTo TEXT, SentBy TEXT)",
    // 8 state: its one row comes with the table, once.
    "CREATE TABLE IF NOT EXISTS state (NumPlayers INT); INSERT INTO state (NumPlayers) SELECT 0 "
    "WHERE NOT EXISTS (SELECT 1 FROM state)",
    // 9 tavchat
    "CREATE TABLE IF NOT EXISTS tavchat (IDNum INTEGER PRIMARY KEY, WhoSent TEXT, Line1 TEXT)",
    // 10 quest
    "CREATE TABLE IF NOT EXISTS quest (IDNum INTEGER PRIMARY KEY, UserName TEXT, QuestName TEXT, "
    "QuestDay INT, Today INT)",
    // 11 suicide
    "CREATE TABLE IF NOT EXISTS suicide (IDNum INTEGER PRIMARY KEY, UserName TEXT)",
    // 12 demon
    "CREATE TABLE IF NOT EXISTS demon (IDNum INTEGER PRIMARY KEY, UserName TEXT, SentByUserName "
    "TEXT)",
    // 13 config
    "CREATE TABLE IF NOT EXISTS config (MonsterFights INT, PlayerFights INT, StartGold, "
    "LevelMultiplier TEXT, EvilDeeds INT, GoodDeeds INT, Assassinations INT, Mutilations INT, "
    "TournamentMode INT, MaxLevel INT, EndDate TEXT)",
};

}  // namespace

const char* TableName(int table) {
  return table >= 0 && table < kTableCount ? kNames[table] : nullptr;
}

const char* CreationStatement(int table) {
  return table >= 0 && table < kTableCount ? kCreate[table] : nullptr;
}

bool InsertConfigDefaults(const ConfigDefaults& d) {
  bool inserted = false;
  // The emptiness check and the insert share one write lock, so a second
  // node starting at the same moment finds the row and leaves it.
  RunWriteUnit([&] {
    ResultTable count = Query(kConfig, "SELECT COUNT(*) FROM %s", TableName(kConfig));
    if (count.Int(0, 0) != 0) return true;
    Exec(kConfig,
         "INSERT INTO %s "
         "(MonsterFights,PlayerFights,StartGold,LevelMultiplier,GoodDeeds,EvilDeeds,"
         "Assassinations,Mutilations,TournamentMode,MaxLevel,EndDate) VALUES "
         "(%d,%d,%Q,%d,%d,%d,%d,%d,%d,%d,%Q)",
         TableName(kConfig), d.monster_fights, d.player_fights, d.start_gold, d.level_multiplier,
         d.good_deeds, d.evil_deeds, d.assassinations, d.mutilations, d.tournament_mode,
         d.max_level, d.end_date);
    inserted = true;
    return true;
  });
  return inserted;
}

}  // namespace trv::db
