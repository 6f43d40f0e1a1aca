#pragma once
// Walking UTF-8 texts one character at a time: the one place that knows how
// the bytes of a character are laid out.

#include <cstddef>
#include <optional>
#include <string_view>

namespace gestalia {

// Decodes one UTF-8 character at pos (strict: no overlong forms, no surrogates,
// nothing above U+10FFFF). Gives its length in len, or nothing when malformed.
std::optional<char32_t> NextCodePoint(std::string_view s, std::size_t pos, std::size_t& len);

// The bytes of the character at pos: its length when well formed, else 1, so
// that a broken byte counts as one character of its own.
std::size_t CharacterLength(std::string_view s, std::size_t pos);

// The characters of a text, each broken byte counted as one.
std::size_t CharacterCount(std::string_view s);

}  // namespace gestalia
