// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellText.h"

#include "image/Utf8.h"

#include <cstdio>

namespace platterwise {
namespace {

// Appends `text` with control characters, invalid bytes and the characters in `special`
// escaped with a backslash, as both messages and $'...' words read them.
void AppendEscaped(std::string& out, std::string_view text, std::string_view special) {
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(text, pos, c);
        const auto byte = static_cast<unsigned char>(text[pos]);
        if (length == 0 || c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) {
            switch (length == 0 ? 0 : c) {
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case 0x1B:
                out += "\\e";
                break;
            default: {
                // A C1 control is two bytes in UTF-8; each is written as a byte escape.
                const std::size_t count = length == 0 ? 1 : length;
                for (std::size_t i = 0; i < count; ++i) {
                    char hex[5];
                    std::snprintf(hex, sizeof hex, "\\x%02x",
                                  static_cast<unsigned char>(text[pos + i]));
                    out += hex;
                }
                break;
            }
            }
            pos += length == 0 ? 1 : length;
            continue;
        }
        if (special.find(char(byte)) != std::string_view::npos) {
            out += '\\';
        }
        out.append(text.substr(pos, length));
        pos += length;
    }
}

// Calls `plain` with each character a terminal may see as it is, and `raw` with each byte of
// a control character or of a sequence that is not UTF-8.
template <class Plain, class Raw>
void ForEachCharacter(std::string_view text, Plain plain, Raw raw) {
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(text, pos, c);
        if (length == 0 || c < 0x20 || c == 0x7F || (c >= 0x80 && c < 0xA0)) {
            for (std::size_t i = 0; i < (length == 0 ? 1 : length); ++i) {
                raw(static_cast<unsigned char>(text[pos + i]));
            }
        } else {
            plain(text.substr(pos, length));
        }
        pos += length == 0 ? 1 : length;
    }
}

// printf's escape for `byte`: always three octal digits, so that a digit after it stays text.
void AppendOctal(std::string& out, unsigned char byte) {
    char octal[6];
    std::snprintf(octal, sizeof octal, "\\%03o", byte);
    out += octal;
}

void AppendSingleQuoted(std::string& out, std::string_view text) {
    for (const char ch : text) {
        if (ch == '\'') {
            out += "'\\''";
        } else {
            out += ch;
        }
    }
}

// `text` as a printf format inside single quotes that prints it exactly.
void AppendPrintfFormat(std::string& out, std::string_view text) {
    ForEachCharacter(
        text,
        [&out](std::string_view ch) {
            if (ch == "%" || ch == "\\") {
                out += ch; // printf's format doubles both
            }
            AppendSingleQuoted(out, ch);
        },
        [&out](unsigned char byte) { AppendOctal(out, byte); });
}

bool NeedsEscapes(std::string_view text) {
    std::string escaped;
    AppendEscaped(escaped, text, {});
    return escaped != text;
}

bool IsBareWord(std::string_view text) {
    if (text.empty()) {
        return false;
    }
    for (const char ch : text) {
        const bool plain = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') ||
                           (ch >= '0' && ch <= '9') ||
                           std::string_view("@%+=:,./_-").find(ch) != std::string_view::npos;
        if (!plain) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string EscapeForTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendEscaped(out, text, {});
    return out;
}

std::string QuotedName(std::string_view text) {
    std::string out = "\"";
    AppendEscaped(out, text, "\\\"");
    out += '"';
    return out;
}

std::string ShellQuote(std::string_view text) {
    if (IsBareWord(text)) {
        return std::string(text);
    }
    if (!NeedsEscapes(text)) {
        std::string out = "'";
        AppendSingleQuoted(out, text);
        return out + '\'';
    }
    std::size_t end = text.size();
    while (end > 0 && text[end - 1] == '\n') {
        --end;
    }
    std::string out = "\"$(printf '";
    AppendPrintfFormat(out, text.substr(0, end));
    out += "')\"";
    if (end < text.size()) {
        out += '\'';
        out.append(text.substr(end));
        out += '\'';
    }
    return out;
}

std::string PrintfLine(std::string_view text) {
    std::string out = "printf '";
    AppendPrintfFormat(out, text);
    return out + "\\n'";
}

std::string ShellCommandLine(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty()) {
            line += ' ';
        }
        line += ShellQuote(word);
    }
    return line;
}

} // namespace platterwise
