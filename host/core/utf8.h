// UTF-8 text, one code point at a time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace orbelle::host {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// The byte order mark (U+FEFF) that editors, Windows Notepad among them, put before UTF-8 text:
// no part of the text.
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// The code point that starts at `pos`, moving `pos` past it. A byte that does not start a
// well-formed sequence (or a surrogate or overlong form) gives U+FFFD and moves one byte.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);

// The UTF-8 form of `code`; U+FFFD for a surrogate or a value past U+10FFFF.
std::string Utf8(char32_t code);

// Whitespace as the desktop toolkits count it: the ASCII blanks and controls 9..13, U+0085,
// no-break and the other Unicode spaces, line and paragraph separators.
bool IsSpace(char32_t code);

// `text` safe to echo in a message: each control character (C0, DEL, C1) written as \xNN, so
// that an echoed text cannot drive a terminal, each bidirectional control (U+202E...) as
// \uNNNN, so that it cannot reorder the message around it, and each ill-formed byte as U+FFFD.
std::string Printable(std::string_view text);

}  // namespace orbelle::host
