// Entering the realm: the play session, new characters and Main Street.
#ifndef TRV_GAME_TOWN_PLAY_H_
#define TRV_GAME_TOWN_PLAY_H_

extern "C" {

// The title menu's E key: finds or creates the caller's character, enters
// the realm and walks Main Street. Leaves only through ExitGame.
void PlayGame(void);

// Leads a caller without a character through its creation; returns with a
// complete character in a kingdom (or ends the door when declined).
void NewPlayer(void);

// Main Street's * key: deletes the caller's character (once a day) and
// ends the door; returns when the caller changes his mind.
void Suicide(void);
}

namespace trv {

// Main Street until the caller quits.
[[noreturn]] void MainStreet();

}  // namespace trv

#endif  // TRV_GAME_TOWN_PLAY_H_
