// The world reset: the sysop starts the realm over.
#ifndef TRV_CONFIG_RESET_H_
#define TRV_CONFIG_RESET_H_

namespace trv::config {

// Main menu *. After two confirmations (three while callers are in the
// realm) deletes the database with its side files and the High Lord,
// poster and maintenance-date files. The next program to open the
// database starts an empty world.
void WorldReset();

}  // namespace trv::config

#endif  // TRV_CONFIG_RESET_H_
