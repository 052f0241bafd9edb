// Code page 437, the character set of BBS screens, and its Unicode forms.
#ifndef TRV_DOORKIT_CP437_H_
#define TRV_DOORKIT_CP437_H_

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

// The Unicode code point a CP437 byte shows as. Bytes below 0x80 map to
// themselves (control bytes keep their meaning on the terminal).
unsigned od_cp437_codepoint(unsigned char byte);

// Writes the UTF-8 form of a CP437 byte into out (room for 3 bytes);
// returns the number of bytes written.
size_t od_cp437_utf8(unsigned char byte, char *out);

#ifdef __cplusplus
}
#endif

#endif  // TRV_DOORKIT_CP437_H_
