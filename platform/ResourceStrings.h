#pragma once
// The program's message texts for failures, in one table. Formats use %s, %d and %x as
// FormatMessage (Exceptions.h) fills them.

namespace platterwise::res {

inline constexpr char16_t SUnableToWrite[] = u"Unable to write to %s";
// An index outside a list of lines or parts.
inline constexpr char16_t SListIndexError[] = u"List index out of bounds (%d)";

// Animated images and their timer.
inline constexpr char16_t SNoTimers[] = u"Not enough timers available";
inline constexpr char16_t SUnableToRead[] = u"Unable to read %s";
inline constexpr char16_t SGIFDecodeError[] = u"GIF image is corrupt or unsupported: %s";
inline constexpr char16_t SGIFEncodeError[] = u"Unable to encode GIF image: %s";

} // namespace platterwise::res
