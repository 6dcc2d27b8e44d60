#pragma once
// Counting the characters of UTF-8 text that need not be valid UTF-8: host file names are
// bytes. A byte that is not part of a whole UTF-8 character (a stray continuation byte, a lead
// byte cut short) counts as one character of its own, as every byte does in the single-byte
// code pages cmd reads, so a count is never lower than what a reader of the text sees and a
// length limit checked with it holds.

#include <cstddef>
#include <limits>
#include <string_view>

namespace batch {

// Bytes of the character that starts at `at` (at < text.size()): 1 to 4.
std::size_t CharacterLength(std::string_view text, std::size_t at);

// Characters in `text`; stops counting once the count exceeds `limit`.
std::size_t CountCharacters(std::string_view text,
                            std::size_t limit = std::numeric_limits<std::size_t>::max());

// UTF-16 units of `text` as Windows holds it: a character beyond U+FFFF takes two, every other
// character (and every stray byte) one. cmd's limits on a line count these units.
std::size_t CountUtf16Units(std::string_view text);

}  // namespace batch
