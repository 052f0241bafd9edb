// Rules about any character, the caller's or another's.
#ifndef TRV_GAME_PLAYER_CHARACTER_H_
#define TRV_GAME_PLAYER_CHARACTER_H_

#include <string>

namespace trv::player {

// Whether a character already has the name, in any case.
bool CharacterNameTaken(const std::string& name);

// The user name of the character called `player_name` (exactly), for mail
// to a character known by name only (a poster's setter); "" when no
// character has the name.
std::string UserNameOf(const std::string& player_name);

// Which posts ClearPosts empties.
enum class Posts {
  kNobles,           // prince, princess, baron and royal advisor
  kNoblesAndThrone,  // the same and the ruler's throne (a deleted character)
};
// Empties the posts that `user_name` holds in any kingdom. A founder or a
// new ruler gives up his noble posts elsewhere; a deleted character leaves
// every post, the throne too. Run it inside the caller's write unit when
// it belongs to a larger change.
void ClearPosts(const std::string& user_name, Posts posts = Posts::kNobles);

}  // namespace trv::player

#endif  // TRV_GAME_PLAYER_CHARACTER_H_
