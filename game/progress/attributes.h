// The ten attributes that level and profession raises add to, and the
// lines that show each new value with its gain ("Strength is now 40 {+3}").
#ifndef TRV_GAME_PROGRESS_ATTRIBUTES_H_
#define TRV_GAME_PROGRESS_ATTRIBUTES_H_

#include <array>
#include <string>

namespace trv::progress {

inline constexpr int kAttributeCount = 10;

// One figure per attribute, in the order the lines show them: MaxHP,
// Strength, Defense, Agility, Stamina, MaxMagicPower, Charm, Intellect,
// Mental, Leadership.
using Attributes = std::array<long long, kAttributeCount>;

// Adds `gains` to the stored attributes of `user`. Each column grows by its
// gain where it stands, so a change another node made meanwhile (a
// mutilation) is kept. Run it inside the write unit that checked the right
// to the raise.
void AddAttributes(const std::string& user, const Attributes& gains);

// The attributes of `user` as stored (NULL or text reads as 0).
Attributes ReadAttributes(const std::string& user);

// The ten lines, as colour markup: each attribute's value now (digit
// grouped) and its gain in braces, a blank line before the first and
// before Leadership.
std::string AttributeLines(const Attributes& now, const Attributes& gains);

}  // namespace trv::progress

#endif  // TRV_GAME_PROGRESS_ATTRIBUTES_H_
