// The world options editor: the one config row that every door reads.
#ifndef TRV_CONFIG_WORLD_OPTIONS_H_
#define TRV_CONFIG_WORLD_OPTIONS_H_

namespace trv::config {

// Main menu C. Opens the database (and leaves it open), makes sure the
// config row exists, then edits it until X.
void WorldOptionsEditor();

}  // namespace trv::config

#endif  // TRV_CONFIG_WORLD_OPTIONS_H_
