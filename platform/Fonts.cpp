// SPDX-License-Identifier: GPL-3.0-or-later
#include "Fonts.h"

#include <QStringList>

namespace platterwise {

void InstallFontSubstitutions() {
    static const bool done = [] {
        for (const char* family : {"Arial", "MS Sans Serif", "MS Shell Dlg", "MS Shell Dlg 2"}) {
            QFont::insertSubstitutions(
                QString::fromLatin1(family),
                QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
        }
        return true;
    }();
    (void)done;
}

QFont MakeFont(const QString& family, int height, TFontStyles styles) {
    InstallFontSubstitutions();
    QFont font(family);
    if (height < 0) {
        font.setPixelSize(-height);
    } else if (height > 0) {
        font.setPointSize(height);
    }
    ApplyFontStyles(font, styles);
    return font;
}

TFontStyles FontStylesOf(const QFont& font) {
    TFontStyles s = 0;
    if (font.bold()) {
        s |= fsBold;
    }
    if (font.italic()) {
        s |= fsItalic;
    }
    if (font.underline()) {
        s |= fsUnderline;
    }
    if (font.strikeOut()) {
        s |= fsStrikeOut;
    }
    return s;
}

void ApplyFontStyles(QFont& font, TFontStyles styles) {
    font.setBold(styles & fsBold);
    font.setItalic(styles & fsItalic);
    font.setUnderline(styles & fsUnderline);
    font.setStrikeOut(styles & fsStrikeOut);
}

} // namespace platterwise
