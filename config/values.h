// What the sysop types, read into the values the database keeps.
//
// Every field is typed as digits only; these decide what an entry means
// before anything is written, so the screens stay free of parsing.
#ifndef TRV_CONFIG_VALUES_H_
#define TRV_CONFIG_VALUES_H_

#include <optional>
#include <string>

namespace trv::config {

// The number a typed entry stands for, read as the C library's atoi reads
// digits ("05" is 5). Empty when the entry keeps the old value: nothing
// typed, anything but plain digits, or a number too large for an int.
std::optional<int> EnteredNumber(const std::string& typed);

// True for an eight-digit MMDDYYYY text that names a day of the game's
// calendar (GameDate, which counts every fourth year a leap year): the form
// the game compares tournament end dates in.
bool IsRealDate(const std::string& mmddyyyy);

}  // namespace trv::config

#endif  // TRV_CONFIG_VALUES_H_
