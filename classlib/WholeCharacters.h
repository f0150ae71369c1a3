// Where the whole characters of an 8-bit text of the system code page end.
// A settings value or a pasted text may end in a lead byte without its trail
// byte; the run-time libraries' multibyte functions disagree on such a torn
// character (Microsoft's takes it for the end of the text and may answer with
// the address of the terminating NUL, Wine's steps over the NUL and reads on),
// so callers hand them only whole characters.
#pragma once

#include <string>
#include <string_view>

// The length of text up to its first NUL, less a final lead byte that has no
// trail byte.
size_t WholeCharactersLength(const std::string& text);

// The length of the character that starts at text[i] (i below text.size()):
// 2 for a lead byte of the system code page with a byte after it, else 1.
// Stepping by it, a match or a check begins only where a character begins.
size_t CharLengthAt(std::string_view text, size_t i);
