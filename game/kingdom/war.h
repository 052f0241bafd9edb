// Power changing hands by force: a citizen's private militia and its coup
// against the ruler of his own kingdom, and the war room where a ruler
// sends his army against a kingdom he is at war with.
//
// These are the most destructive writes of the game: a coup renames a
// kingdom and moves all its citizens, a war takes land, burns the
// defenders' investments or destroys the kingdom and moves its people.
// Each is one write unit that reads the rows it changes again first; a
// kingdom renamed, destroyed or changing hands on another node meanwhile
// ends the battle with a message and changes nothing else.
#ifndef TRV_GAME_KINGDOM_WAR_H_
#define TRV_GAME_KINGDOM_WAR_H_

namespace trv::kingdom {

// The alley's recruiting speech (game/alley MilitiaSpeech), which lives
// above this folder.
using MilitiaSpeechFn = void (*)();

// The militia screen (the alley's M): recruit with `speech`, buy soldiers,
// cannons, dragon riders, katapults and equipment, and attack the throne
// of the caller's own kingdom. A ruler is turned away.
void MilitiaScreen(MilitiaSpeechFn speech);

// The war room (the ruler's W at court): the other kingdoms and their
// relation, and an invasion of one at war with the caller's kingdom.
void WarRoom();

}  // namespace trv::kingdom

#endif  // TRV_GAME_KINGDOM_WAR_H_
