// Text helpers the messaging screens share: stored text made fit to show,
// the caller's names, typed lines.
#ifndef TRV_GAME_MESSAGING_TEXT_H_
#define TRV_GAME_MESSAGING_TEXT_H_

#include <string>

namespace trv::messaging {

// Stored text that carries the game's own colour markup (news, mail): the
// markup of real colour names stays, every other backquote and every
// control byte goes. Text a caller typed is cleaned fully (CleanText)
// before it is put into such a text.
std::string ShowableMarkup(const char* text);

// True for a colour name the door kit's markup knows ("bright red", "grey").
bool IsColourName(const std::string& name);

// The caller's user name, as the door kit read it.
const char* CallerUserName();
// The caller's character name; "" when the caller has none.
std::string CallerPlayerName();

// Clears rows first to last (whole rows) and leaves the cursor at the
// first one, column 1: the paged area of the news and mail screens.
void ClearRows(int first, int last);

// Text with ANSI sequences cut after `columns` visible characters; the
// sequences themselves take no column.
std::string ClipToColumns(const std::string& ansi_text, int columns);

// Reads one line of up to `max_length` characters from blank to "z".
std::string ReadLine(int max_length);

}  // namespace trv::messaging

#endif  // TRV_GAME_MESSAGING_TEXT_H_
