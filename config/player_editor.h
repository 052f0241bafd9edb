// The player editor: the list of characters and the choice of one.
#ifndef TRV_CONFIG_PLAYER_EDITOR_H_
#define TRV_CONFIG_PLAYER_EDITOR_H_

namespace trv::config {

// Main menu P. Opens the database, lists every character ten to a page,
// asks for an ID and edits that character; closes the database on return.
void PlayerEditor();

}  // namespace trv::config

#endif  // TRV_CONFIG_PLAYER_EDITOR_H_
