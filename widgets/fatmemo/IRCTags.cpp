// SPDX-License-Identifier: GPL-3.0-or-later
#include "IRCTags.h"

namespace platterwise {

namespace {

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// Counts up to two ASCII digits of `s` from `from`.
qsizetype DigitsAt(const QString& s, qsizetype from) {
    qsizetype n = 0;
    while (n < 2 && from + n < s.size() && IsDigit(s[from + n])) {
        ++n;
    }
    return n;
}

int NumberAt(const QString& s, qsizetype from, qsizetype digits) {
    int value = 0;
    for (qsizetype i = 0; i < digits; ++i) {
        value = value * 10 + (s[from + i].unicode() - u'0');
    }
    return value;
}

} // namespace

std::optional<TColor> TagColor(int number) {
    if (number < 0 || number >= int(TagColors.size())) {
        return std::nullopt;
    }
    return TagColors[std::size_t(number)];
}

bool IsTagCode(QChar c) {
    return c == tcBold || c == tcColor || c == tcPlain || c == tcReverse || c == tcLinkStart ||
           c == tcLinkEnd || c == tcUnderline;
}

bool StartsWithCode(const QString& token) {
    return !token.isEmpty() && IsTagCode(token[0]);
}

QString NextToken(QString& rest) {
    if (rest.isEmpty()) {
        return {};
    }
    qsizetype code = 0;
    while (code < rest.size() && !IsTagCode(rest[code])) {
        ++code;
    }
    qsizetype length = code;
    if (code == 0) {
        length = 1;
        if (rest[0] == tcColor) {
            const qsizetype fg = DigitsAt(rest, length);
            length += fg;
            if (fg > 0 && length < rest.size() && rest[length] == u',') {
                ++length;
                length += DigitsAt(rest, length);
            }
        }
    }
    QString token = rest.left(length);
    rest.remove(0, length);
    return token;
}

QString StripTags(const QString& s) {
    QString rest = s;
    QString result;
    for (QString token = NextToken(rest); !token.isEmpty(); token = NextToken(rest)) {
        if (!StartsWithCode(token)) {
            result += token;
        }
    }
    return result;
}

TColorArgs ParseColorArgs(const QString& token) {
    TColorArgs args;
    qsizetype at = 1; // past the colour code
    const qsizetype fg = DigitsAt(token, at);
    if (fg == 0) {
        return args;
    }
    args.Foreground = NumberAt(token, at, fg);
    at += fg;
    if (at < token.size() && token[at] == u',') {
        ++at;
        const qsizetype bg = DigitsAt(token, at);
        if (bg > 0) {
            args.Background = NumberAt(token, at, bg);
        }
    }
    return args;
}

} // namespace platterwise
