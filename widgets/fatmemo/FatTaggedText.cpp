// SPDX-License-Identifier: GPL-3.0-or-later
// The parser that turns text with embedded control codes into the parts of a line.
#include "FatLine.h"
#include "FatLines.h"
#include "FatMemo.h"
#include "IRCTags.h"

namespace platterwise {

namespace {

struct TTagState {
    TColor Foreground;
    TColor Background;
    TFontStyles Style;
};

// The memo's colours and style at this moment; a line without a memo uses the system ones.
TTagState MemoDefaults(const TFatLines* lines) {
    if (const TFatMemo* memo = lines ? lines->Memo() : nullptr) {
        return {memo->FontColor(), memo->Color(), memo->FontStyle()};
    }
    return {clWindowText, clWindow, 0};
}

// The stretch of `rest` up to the next link end (or all of it), without its control tokens.
QString LinkTarget(const QString& rest) {
    const qsizetype end = rest.indexOf(tcLinkEnd);
    return StripTags(end < 0 ? rest : rest.left(end));
}

void ApplyColorToken(TFatPart& part, const QString& token, const TTagState& defaults,
                     TTagState& current) {
    if (token.size() == 1) {
        part.SetFontColor(defaults.Foreground);
        part.SetBackColor(defaults.Background);
    } else {
        const TColorArgs args = ParseColorArgs(token);
        // Numbers without a table entry keep the current colour.
        part.SetFontColor(TagColor(args.Foreground).value_or(current.Foreground));
        part.SetBackColor(TagColor(args.Background).value_or(current.Background));
    }
    current.Foreground = part.FontColor();
    current.Background = part.BackColor();
}

} // namespace

void TFatLine::SetTaggedText(const QString& s) {
    SetUpdating(true);
    ClearParts();
    if (s.isEmpty()) {
        SetUpdating(false);
        return;
    }
    const TTagState defaults = MemoDefaults(owner_);
    TTagState current = defaults;
    QString link;
    QString rest = s;
    for (QString token = NextToken(rest); !token.isEmpty(); token = NextToken(rest)) {
        TFatPart& part = AddPart();
        if (!StartsWithCode(token)) {
            part.SetText(token);
            if (!link.isEmpty()) {
                part.SetLink(link);
            }
            continue;
        }
        const QChar code = token[0];
        if (code == tcBold) {
            current.Style ^= fsBold;
            part.SetFontStyle(current.Style);
        } else if (code == tcUnderline) {
            current.Style ^= fsUnderline;
            part.SetFontStyle(current.Style);
        } else if (code == tcColor) {
            ApplyColorToken(part, token, defaults, current);
        } else if (code == tcReverse) {
            part.SetFontColor(current.Background);
            part.SetBackColor(current.Foreground);
            current.Foreground = part.FontColor();
            current.Background = part.BackColor();
        } else if (code == tcPlain) {
            part.SetFontColor(defaults.Foreground);
            part.SetBackColor(defaults.Background);
            AddPart().SetFontStyle(defaults.Style);
            current = defaults;
        } else if (code == tcLinkStart) {
            link = LinkTarget(rest); // the stretch stays in `rest` and is parsed as usual
        } else if (code == tcLinkEnd) {
            link.clear();
        } else {
            part.Delete();
        }
    }
    // Parsing reads the memo's font but never changes it, so there is no style to restore.
    SetUpdating(false);
}

} // namespace platterwise
