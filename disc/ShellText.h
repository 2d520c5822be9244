#pragma once
// Names and commands as text for a terminal: never a raw control character.
#include <string>
#include <string_view>
#include <vector>

namespace platterwise {

// `text` for a terminal line: every control character (C0, DEL and the C1 range U+0080 to
// U+009F) as \n, \r, \t, \e or \xNN, and every byte that is not part of valid UTF-8 as \xNN.
// Other text, Cyrillic included, passes unchanged. A file name may hold any byte; an escape
// sequence or a line break in one must not recolour the terminal or forge output lines.
std::string EscapeForTerminal(std::string_view text);

// `text` for a message, between double quotes: control characters as \n, \r, \t, \e or \xNN,
// bytes that are not UTF-8 as \xNN, and '\' and '"' escaped with '\'.
std::string QuotedName(std::string_view text);

// `text` as one word of a POSIX shell command: bare when it holds only letters, digits and
// "@%+=:,./_-"; in single quotes otherwise; in bash's $'...' with escapes when it holds
// control characters or bytes that are not UTF-8, so the terminal never receives them raw.
std::string ShellQuote(std::string_view text);

// The words joined by spaces, each quoted by ShellQuote.
std::string ShellCommandLine(const std::vector<std::string>& words);

} // namespace platterwise
