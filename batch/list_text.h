#pragma once
// How list.tmp holds its lines, and reading it through the platform. The listing is written by
// "cmd /u": UTF-16 in little-endian byte order, no byte-order mark, every line ended by CR LF.
// Its units are read aligned to the start of the file: CR LF is 0D 00 0A 00 at an even
// offset, and a 0D byte elsewhere may be half of another character (č is 0D 01).

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/native_file.h"
#include "platform/platform.h"

namespace batch {

inline constexpr std::string_view kListLineBreak{"\r\0\n\0", 4};

// The first CR LF at an even offset of `bytes` from `from` (even) on; npos when there is none.
std::size_t FindListLineBreak(std::string_view bytes, std::size_t from = 0);

// The carriage-return units (0D 00 at even offsets) of `bytes`.
std::int64_t CountListCarriageReturns(std::string_view bytes);

// A whole line's units as UTF-8 (platform/utf16_text.h).
std::string ListLineText(std::string_view units);

// Opens a list file by its Windows path; throws platform::FileError when it cannot.
platform::InputFile OpenListFile(const platform::Platform& platform, std::string_view path);

// Reads until `buffer` is full or the file ends; returns the bytes read.
std::size_t ReadFully(platform::InputFile& file, std::span<char> buffer);

// The whole content of an open file from its current position.
std::string ReadWholeFile(platform::InputFile& file);

}  // namespace batch
