// SPDX-License-Identifier: GPL-3.0-or-later
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

// Shell browser.
inline constexpr char16_t SErrorSettingPath[] = u"Error setting path: \"%s\"";
inline constexpr char16_t SShellNoDetails[] =
    u"Unable to retrieve folder details for \"%s\". Error code $%x";
inline constexpr char16_t SCallLoadDetails[] = u"%s: Missing call to LoadColumnDetails";
inline constexpr char16_t SRenamedFailedError[] = u"Rename to %s failed";
inline constexpr char16_t SShellDefaultNameStr[] = u"Name";
inline constexpr char16_t SShellDefaultSizeStr[] = u"Size";
inline constexpr char16_t SShellDefaultTypeStr[] = u"Type";
inline constexpr char16_t SShellDefaultModifiedStr[] = u"Modified";

} // namespace platterwise::res
