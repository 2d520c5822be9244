// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control codes embedded in tagged memo text, the tokenizer that splits such text, and
// the table of the sixteen colour numbers a colour code can name.
#include "platform/Colors.h"

#include <QString>
#include <array>
#include <optional>

namespace platterwise {

inline constexpr QChar tcBold = QChar(0x02);      // toggles bold
inline constexpr QChar tcColor = QChar(0x03);     // colour, with optional "fg" or "fg,bg" numbers
inline constexpr QChar tcPlain = QChar(0x0F);     // back to the memo's colours and style
inline constexpr QChar tcReverse = QChar(0x16);   // swaps foreground and background
inline constexpr QChar tcLinkStart = QChar(0x19); // text up to the link end is the link target
inline constexpr QChar tcLinkEnd = QChar(0x1A);
inline constexpr QChar tcUnderline = QChar(0x1F); // toggles underline

// Colour numbers 0..15 in the order tagged text uses them.
inline constexpr std::array<TColor, 16> TagColors = {
    0x00FFFFFF, // 0 white
    0x00000000, // 1 black
    0x00800000, // 2 navy
    0x00008000, // 3 green
    0x000000FF, // 4 red
    0x00000080, // 5 maroon
    0x00800080, // 6 purple
    0x004080FF, // 7 orange
    0x0000FFFF, // 8 yellow
    0x0000FF00, // 9 lime
    0x00808000, // 10 teal
    0x00FFFF00, // 11 aqua
    0x00FF0000, // 12 blue
    0x00FF00FF, // 13 fuchsia
    0x00808080, // 14 gray
    0x00C0C0C0, // 15 silver
};

// The colour a number names, or nothing for numbers without an entry (16..99 can be written
// with two digits): such a number changes no colour, as if it had not been given.
std::optional<TColor> TagColor(int number);

// True when `c` is one of the seven control codes.
bool IsTagCode(QChar c);

// True when `token` begins with a control code.
bool StartsWithCode(const QString& token);

// Takes one token off the front of `rest` and returns it: the text up to the next control
// code, or one code with its arguments (a colour code takes up to two digits, then, after at
// least one digit, a comma and up to two more). Empty only when `rest` is empty.
QString NextToken(QString& rest);

// `s` with every control token (codes and their colour arguments) removed.
QString StripTags(const QString& s);

// The numbers of a colour token (which starts with tcColor); -1 for a number not given.
struct TColorArgs {
    int Foreground = -1;
    int Background = -1;
};
TColorArgs ParseColorArgs(const QString& token);

} // namespace platterwise
