// The daily copy of the game database, Backups/YYYYMMDD.db.
#ifndef TRV_GAME_MAINT_BACKUP_H_
#define TRV_GAME_MAINT_BACKUP_H_

#include <string>

namespace trv::maint {

inline constexpr char kBackupDirectory[] = "Backups";

// Backups/YYYYMMDD.db for a date already formatted as YYYYMMDD.
std::string BackupPath(const std::string& yyyymmdd);

// Copies the committed state of `source` into `target` (replacing it)
// with SQLite's online backup, so the copy is consistent even while other
// connections read or hold the file. Creates the target's directory. On
// failure returns false with the reason in *error.
bool BackupDatabase(const std::string& source, const std::string& target, std::string* error);

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_BACKUP_H_
