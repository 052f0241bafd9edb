// TRVDLL is the subsystem libraries taken whole; this unit ties the
// exported declarations to the library so a mismatch fails to compile.
#include "game/exports/trvdll.h"
