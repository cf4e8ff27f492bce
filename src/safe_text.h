// Text that is safe to print on a terminal: names of creatures and items
// come from files and from the player, and a control character or a stray
// byte in one would reach the terminal raw, where an escape sequence can
// retitle the window, clear the screen or recolour everything after it.
//
// Safe text is valid UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF, no sequence cut short) holding no control character: none below
// U+0020, no DEL (U+007F) and none of U+0080 to U+009F. Nor does it hold the
// invisible format characters that reorder or break what is printed after
// them: the bidirectional controls U+061C, U+200E, U+200F, U+202A to U+202E
// and U+2066 to U+2069, and the separators U+2028 and U+2029; these count
// as control characters here. Any other character, in any script, is safe
// and kept exactly as it is.
//
// A unit of the bottom: it uses nothing of the game.

#ifndef TUMBLENOOK_SAFE_TEXT_H_
#define TUMBLENOOK_SAFE_TEXT_H_

#include <string>
#include <string_view>

// What stands in for each unsafe character or stray byte of a repaired text.
inline constexpr char kUnsafeStandIn = '_';

// True when every character of `text` is safe to print.
bool isSafeText(std::string_view text);

// `text` with each unsafe character (a control character, or a byte that is
// not part of valid UTF-8) replaced by one kUnsafeStandIn; safe characters
// stay as they are, so safe text comes back unchanged.
std::string safeText(std::string_view text);

// Repairs `text` in place as safeText does; true when anything was unsafe.
bool makeSafe(std::string& text);

#endif  // TUMBLENOOK_SAFE_TEXT_H_
