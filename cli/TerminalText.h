#pragma once
// Text bound for a terminal. A file name may hold any byte; an escape sequence or a line break
// inside one must not reach the terminal as such (recolouring it, or forging output lines).
// Byte-exact output for other programs (--paths, -0) does not come through here.
#include <string>
#include <string_view>

namespace platterwise::cli {

// `text` with every control character (C0, DEL and the C1 range U+0080 to U+009F) and every
// byte that is not part of valid UTF-8 written as a visible escape: "\t", "\n", "\r", or
// "\xHH" for each byte. Other text, Cyrillic included, passes unchanged.
std::string EscapeForTerminal(std::string_view text);

} // namespace platterwise::cli
