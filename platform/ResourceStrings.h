#pragma once
// The program's message texts for failures, in one table. Formats use %s, %d and %x as
// FormatMessage (Exceptions.h) fills them.

namespace platterwise::res {

inline constexpr char16_t SUnableToWrite[] = u"Unable to write to %s";
// An index outside a list of lines or parts.
inline constexpr char16_t SListIndexError[] = u"List index out of bounds (%d)";

} // namespace platterwise::res
