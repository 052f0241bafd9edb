// The field editor and its additional options: one character by IDNum.
#ifndef TRV_CONFIG_PLAYER_FIELDS_H_
#define TRV_CONFIG_PLAYER_FIELDS_H_

#include <string>

namespace trv::config {

// Edits the character until X. When its row is gone (a door deleted it
// meanwhile) shows "That player was not found!" and returns.
void FieldEditor(const std::string& id);

// The investments of the character (the field editor's "."). False when
// its row is gone; the message has been shown.
bool InvestmentsEditor(const std::string& id);

}  // namespace trv::config

#endif  // TRV_CONFIG_PLAYER_FIELDS_H_
