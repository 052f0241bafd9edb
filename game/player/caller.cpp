#include "game/player/caller.h"

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"
#include "game/db/transaction.h"

namespace trv::player {
namespace {

bool g_session_counted = false;

}  // namespace

const char* CallerUserName() { return od_control.user_name; }

std::string CallerPlayerName() { return CallerText("PlayerName"); }

db::ResultTable CallerRow(const char* columns) {
  return db::Query(db::kPlayer, "SELECT %s FROM %s WHERE UserName=%Q", columns,
                   db::TableName(db::kPlayer), CallerUserName());
}

std::string CallerText(const char* column) { return CallerRow(column).Text(0, 0); }

long long CallerInt(const char* column) { return CallerRow(column).Int(0, 0); }

std::string CallerPlace() { return CallerText("WhereInGame"); }

void SetCallerPlace(const std::string& place) {
  db::Exec(db::kPlayer, "UPDATE %s SET WhereInGame=%Q WHERE UserName=%Q",
           db::TableName(db::kPlayer), place.c_str(), CallerUserName());
}

void SetSessionCounted(bool counted) { g_session_counted = counted; }
bool SessionCounted() { return g_session_counted; }

void TakeSessionFromCount() {
  db::Exec(db::kState, "UPDATE %s SET NumPlayers=NumPlayers-1 WHERE NumPlayers>0",
           db::TableName(db::kState));
}

void UncountSession() {
  if (!g_session_counted) return;
  db::RunWriteUnit([] {
    TakeSessionFromCount();
    return true;
  });
  g_session_counted = false;
}

void EndSessionAfterReset() {
  if (!g_session_counted) return;  // not in the realm: the next entry starts afresh
  if (!db::Query(db::kPlayer, "SELECT 1 FROM %s WHERE UserName=%Q AND Kingdom IS NOT NULL",
                 db::TableName(db::kPlayer), CallerUserName())
           .empty())
    return;
  g_session_counted = false;  // the new world never counted this session
  od_printf("\n\r`bright red`The sysop has reset the realm; your character is gone.`grey`\n\r");
  od_sleep(2000);
  od_exit(10, FALSE);
}

}  // namespace trv::player
