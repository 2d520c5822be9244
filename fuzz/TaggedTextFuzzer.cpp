// SPDX-License-Identifier: GPL-3.0-or-later
// The tagged-text parser of the results memo on any text. The tokenizer always ends, its
// tokens put together are the text, each token is plain text or one control code with its
// arguments, and stripping the codes keeps exactly the plain tokens; a line given the text
// holds those plain tokens as its parts' text, in order.
#include "FuzzCheck.h"
#include "widgets/fatmemo/FatLine.h"
#include "widgets/fatmemo/IRCTags.h"

#include <QString>
#include <algorithm>
#include <cstddef>
#include <cstdint>

using platterwise::fuzz::Check;

// Input: an odd first byte makes the rest UTF-16 (any code unit, lone surrogates included),
// an even one Latin-1 (readable seeds with the control bytes as they are).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace platterwise;
    if (size < 1) {
        return 0;
    }
    const char* bytes = reinterpret_cast<const char*>(data) + 1;
    const QString text =
        (data[0] & 1) != 0 ? QString(reinterpret_cast<const QChar*>(bytes), qsizetype(size - 1) / 2)
                           : QString::fromLatin1(bytes, qsizetype(size - 1));
    QString rest = text, joined, plain;
    for (QString token = NextToken(rest); !token.isEmpty(); token = NextToken(rest)) {
        joined += token;
        if (!StartsWithCode(token)) {
            Check(!std::any_of(token.begin(), token.end(), IsTagCode));
            plain += token;
            continue;
        }
        Check(token.size() == 1 || token[0] == tcColor);
        if (token[0] == tcColor) {
            const TColorArgs args = ParseColorArgs(token);
            Check(args.Foreground >= -1 && args.Foreground <= 99);
            Check(args.Background >= -1 && args.Background <= 99);
            Check(token.size() <= 6);
        }
    }
    Check(rest.isEmpty() && joined == text);
    Check(StripTags(text) == plain);

    TFatLine line(nullptr);
    line.SetTaggedText(text);
    QString parts;
    for (int i = 0; i < line.PartCount(); ++i) {
        parts += line.Parts(i).Text();
    }
    Check(parts == plain);
    return 0;
}
