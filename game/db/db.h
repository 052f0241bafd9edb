// The statement runner: every statement of the game goes through DoSQL.
//
// DoSQL waits out locks held by other nodes, creates a missing table on
// first use and ends the program on any other fault, so callers never see
// an error. Statements are made with sqlite3_mprintf: the table name by %s,
// text values by %Q (or '%q'), numbers by %d.
#ifndef TRV_GAME_DB_DB_H_
#define TRV_GAME_DB_DB_H_

#include <sqlite3.h>

#ifdef __cplusplus
extern "C" {
#endif

// Runs `statement` (from sqlite3_mprintf; always freed here) against the
// table numbered `table` and returns its rows as a table of sqlite3_get_table:
// a header row of column names, then rows x columns values, SQL NULL as a
// null pointer. The caller frees it with sqlite3_free_table, also when it
// holds no rows. `rows` and `columns` may be null.
//
// A string of several statements runs one statement at a time; its result
// is that of the last statement that returned rows (or the last one).
char** DoSQL(int table, char* statement, int* rows, int* columns);

#ifdef __cplusplus
}  // extern "C"

namespace trv::db {

class ResultTable;

// Formats with sqlite3_mprintf's rules and runs the statement through DoSQL.
ResultTable Query(int table, const char* format, ...);
// The same for a statement whose rows nobody reads.
void Exec(int table, const char* format, ...);

// Rolls back the connection's open transaction, if any, without going
// through the error path (used on the way out and during unwinding).
void RollbackOpenTransaction();

}  // namespace trv::db
#endif

#endif  // TRV_GAME_DB_DB_H_
