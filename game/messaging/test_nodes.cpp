#include "game/messaging/test_nodes.h"

#include <stdarg.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

#include "doorkit/doorkit.h"
#include "game/db/db.h"
#include "game/db/result_table.h"
#include "game/db/schema.h"

namespace trv::messaging::testing {

void MessagingTest::SetUp() {
  DbTest::SetUp();
  BeCaller("me");
  for (int table = 0; table < db::kTableCount; ++table)
    db::Exec(db::kNoTable, "%s", db::CreationStatement(table));
  // The screens' art, as the door finds it in its game directory.
  if (mkdir("Skins", 0755) != 0) FAIL() << "no Skins directory";
  for (const char* name : {"NEWS.ANS", "PERS.ANS", "CHAT.ANS"}) {
    std::ifstream in(std::string(TRV_SOURCE_DIR) + "/data/Skins/" + name, std::ios::binary);
    std::ofstream out(std::string("Skins/") + name, std::ios::binary);
    out << in.rdbuf();
  }
}

void MessagingTest::AddPlayer(const std::string& user, const std::string& name, int status,
                              const std::string& place, int level, const std::string& gender,
                              const std::string& race) {
  test::Character c(user, name);
  c.status = status;
  c.where = place;
  c.level = level;
  c.gender = gender;
  c.more = "FirstRace='" + race + "'";
  test::AddCharacter(c);
}

long long MessagingTest::Count(const char* format, ...) {
  va_list args;
  va_start(args, format);
  char* sql = sqlite3_vmprintf(format, args);
  va_end(args);
  int rows = 0;
  int columns = 0;
  char** table = DoSQL(db::kNoTable, sql, &rows, &columns);
  long long value = rows > 0 && table[columns] ? atoll(table[columns]) : 0;
  sqlite3_free_table(table);
  return value;
}

}  // namespace trv::messaging::testing
