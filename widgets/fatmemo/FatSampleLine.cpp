// SPDX-License-Identifier: GPL-3.0-or-later
#include "FatLines.h"
#include "FatSampleLine_p.h"

namespace platterwise {

namespace {

const QString& SampleAddress() {
    static const QString address = QStringLiteral("platterwise@example.org");
    return address;
}

} // namespace

QString SampleMailLink() {
    return QStringLiteral("mailto:") + SampleAddress();
}

void AddSampleLine(TFatLines& lines) {
    TFatLine& line = lines.Add();
    line.SetUpdating(true);
    TFatPart& first = line.AddPart();
    first.SetFontColor(clNavy);
    first.SetBackColor(clWhite);
    line.AddPart().SetText(QStringLiteral("Platterwise results"));
    line.AddPart().SetFontColor(clNavy);
    line.AddPart().SetText(QStringLiteral(" \u2014 write to the author ("));
    line.AddPart().SetFontColor(clBlue);
    TFatPart& mail = line.AddPart();
    mail.SetText(SampleAddress());
    mail.SetLink(SampleMailLink());
    line.AddPart().SetFontColor(clNavy);
    line.AddPart().SetText(QStringLiteral(")"));
    line.AddPart().SetFontColor(clBlack);
    line.AddPart().SetText(QStringLiteral("."));
    line.SetUpdating(false);
}

} // namespace platterwise
