#include "TerminalText.h"

#include "engine/Utf8.h"

namespace platterwise::cli {
namespace {

void AppendHex(std::string& out, unsigned char byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

} // namespace

std::string EscapeForTerminal(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        char32_t codePoint = 0;
        const std::size_t n = DecodeUtf8At(text, i, codePoint);
        const bool c1 = n == 2 && codePoint < 0xA0;
        if (n == 0 || c1) {
            const std::size_t bytes = n == 0 ? 1 : n;
            for (std::size_t k = 0; k < bytes; ++k) {
                AppendHex(out, static_cast<unsigned char>(text[i + k]));
            }
            i += bytes;
        } else if (n > 1 || (c >= 0x20 && c != 0x7F)) {
            out.append(text.data() + i, n);
            i += n;
        } else {
            switch (c) {
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                AppendHex(out, c);
                break;
            }
            ++i;
        }
    }
    return out;
}

} // namespace platterwise::cli
