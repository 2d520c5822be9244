// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the results memo as the main window uses it, next to one with word wrap, links, a
// highlighted drag and the sample line, for looking at. With --save FILE it writes a grab of
// the window to FILE and quits; otherwise it stays open until closed.
#include "platform/Fonts.h"
#include "widgets/fatmemo/FatThings.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>
#include <cstdio>

using namespace platterwise;

namespace {

void Send(TFatMemo& memo, QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(at), QPointF(memo.mapToGlobal(at)),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, buttons, {});
    QApplication::sendEvent(&memo, &e);
}

QPoint Inside(const TFatPart& part, int dx) {
    const TFatRect& f = part.Layout().Flow;
    return {f.Left + dx, (f.Top + f.Bottom) / 2};
}

// The main window's panel after a search and a totals report.
void FillResults(TFatMemo& memo) {
    memo.Lines().Clear();
    for (const char* folder : {"2010", "Abbey Road (Remaster)", ",Best of"}) {
        memo.Lines().Add().SetTaggedText(QStringLiteral("\x03"
                                                        "00\x1A") +
                                         QString::fromUtf8(folder));
    }
    for (const char* file : {"01 - Come Together.flac", "7 Seas.ape", "Кино - Группа крови.wv"}) {
        memo.Lines().Add().SetTaggedText(QStringLiteral("\x03"
                                                        "11\x1A") +
                                         QString::fromUtf8(file));
    }
    memo.SetFontColor(clRed);
    memo.Lines().AddLine(QStringLiteral("Selected: 3 folders, 3 files"));
    memo.Lines().AddLine(QStringLiteral("Total: 4,371,220,315 bytes"));
}

void FillShowcase(TFatMemo& memo) {
    // The sample line stays first.
    memo.Lines().Add().SetTaggedText(QStringLiteral("\x03"
                                                    "4,8warning\x0F plain \x02"
                                                    "bold\x02 \x1Funder\x1F \x16reverse\x16 \x03"
                                                    "12,0blue"));
    memo.Lines().Add().SetTaggedText(QStringLiteral("see \x19\x03"
                                                    "12http://example.org/\x1A\x03 for more"));
    memo.Lines().AddLine(QStringLiteral(
        "A long plain line that does not fit and is wrapped character by character."));
    memo.Lines().Add().SetTaggedText(QStringLiteral("\x03"
                                                    "3green \x03"
                                                    "7orange \x03"
                                                    "13fuchsia \x03"
                                                    "10teal"));
    memo.Lines().AddLine(QStringLiteral("dragged over: from here to there"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Results memo"));
    window.resize(370 + 260 + 30, 275);

    auto* results = new TFatMemo(&window);
    results->setGeometry(10, 10, 370, 255);
    results->setFont(MakeFont(QStringLiteral("Arial"), -11, fsBold));
    results->SetColor(clNavy);
    results->SetLineHeight(16);

    auto* showcase = new TFatMemo(&window);
    showcase->setGeometry(390, 10, 260, 255);
    showcase->setFont(MakeFont(QStringLiteral("Arial"), -12));
    showcase->SetDrawFlags(dfWordWrap);
    showcase->SetColor(0x00F0FFFF);

    window.show();
    FillResults(*results);
    FillShowcase(*showcase);

    // Once the window is on screen and laid out: a drag held down from "fuchsia" into the
    // last line, so the highlight shows; then the grab, when asked for.
    QTimer::singleShot(300, [&] {
        TFatLines& lines = showcase->Lines();
        const TFatLine& last = lines.Items(lines.Count() - 1);
        const TFatLine& colours = lines.Items(lines.Count() - 2);
        Send(*showcase, QEvent::MouseButtonPress, Inside(colours.Parts(5), 10), Qt::LeftButton);
        Send(*showcase, QEvent::MouseMove, Inside(last.Parts(0), 90), Qt::LeftButton);
    });
    if (argc > 2 && QString::fromLocal8Bit(argv[1]) == QLatin1String("--save")) {
        QTimer::singleShot(600, [&] {
            const bool ok = window.grab().save(QString::fromLocal8Bit(argv[2]));
            std::printf("%s %s\n", ok ? "saved" : "could not save", argv[2]);
            app.quit();
        });
    }
    return app.exec();
}
