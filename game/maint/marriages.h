// Married couples may have a child each day; a large family earns both
// partners extra monster fights.
#ifndef TRV_GAME_MAINT_MARRIAGES_H_
#define TRV_GAME_MAINT_MARRIAGES_H_

namespace trv::maint {

// A birth on a draw of rand() % 10 below 3.
bool ChildBorn(int roll);
// Extra monster fights for a couple with `kids`: a quarter each, truncated.
int ExtraFightsForKids(long long kids);

// Seeds the random generator and gives each couple its chance of a child.
void UpdateMarriages();

}  // namespace trv::maint

#endif  // TRV_GAME_MAINT_MARRIAGES_H_
