// Text helpers the messaging screens share: stored text made fit to show,
// typed lines.
#ifndef TRV_GAME_MESSAGING_TEXT_H_
#define TRV_GAME_MESSAGING_TEXT_H_

#include <string>

namespace trv::messaging {

// Stored text that carries the game's own colour markup (news, mail): the
// markup of colour names the door kit knows stays, every other backquote and every
// control byte goes. Text a caller typed is cleaned fully (CleanText)
// before it is put into such a text.
std::string ShowableMarkup(const char* text);

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
