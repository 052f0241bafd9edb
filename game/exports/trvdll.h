// The entry functions TRVDLL exports to the launcher.
#ifndef TRV_GAME_EXPORTS_TRVDLL_H_
#define TRV_GAME_EXPORTS_TRVDLL_H_

#ifdef __cplusplus
extern "C" {
#endif

#ifdef __cplusplus
}
#endif

#endif  // TRV_GAME_EXPORTS_TRVDLL_H_
