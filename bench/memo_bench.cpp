// Figures for the results memo: adding tagged lines to a visible memo (each change repaints
// at once) and repainting a full memo scrolled to the middle, next to a QPlainTextEdit doing
// the same work as a peer. Runs on the offscreen platform unless QT_QPA_PLATFORM is set.
//
// The machine may be shared, so each figure is given three ways: the fastest batch (wall
// clock), the whole run (wall clock) and the process's CPU time for the whole run.
#include "platform/Fonts.h"
#include "widgets/fatmemo/FatThings.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>

using namespace platterwise;

namespace {

constexpr int kAdded = 10000;
constexpr int kBatches = 10;
constexpr int kPaintsPerBatch = 200;

double WallUs() {
    using namespace std::chrono;
    return duration<double, std::micro>(steady_clock::now().time_since_epoch()).count();
}

double CpuUs() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e6 + double(ts.tv_nsec) / 1e3;
}

// Runs `op(i)` for i in 0..batches*perBatch-1 in batches; prints microseconds per operation.
void Report(const char* what, int batches, int perBatch, const std::function<void(int)>& op) {
    double best = 1e300;
    const double wall0 = WallUs();
    const double cpu0 = CpuUs();
    for (int b = 0; b < batches; ++b) {
        const double t0 = WallUs();
        for (int i = 0; i < perBatch; ++i) {
            op(b * perBatch + i);
        }
        best = std::min(best, (WallUs() - t0) / perBatch);
    }
    const int n = batches * perBatch;
    std::printf("%-58s best batch %7.1f us   all %7.1f us   cpu %7.1f us\n", what, best,
                (WallUs() - wall0) / n, (CpuUs() - cpu0) / n);
}

QString Name(int i) {
    return QStringLiteral("%1 - Track %2.flac").arg(i % 7 == 0 ? 2010 : i).arg(i % 20 + 1);
}

// As the disc-fill report writes file lines: colour 11, a link end, the name.
QString TaggedName(int i) {
    return QStringLiteral("\x03"
                          "11\x1A") +
           Name(i);
}

QFont PanelFont() {
    return MakeFont(QStringLiteral("Arial"), -11, fsBold);
}

void ShowExposed(QWidget& w) {
    w.show();
    if (!QTest::qWaitForWindowExposed(&w)) {
        std::fprintf(stderr, "window not exposed: figures are meaningless\n");
    }
}

// The main window's results panel.
void Configure(TFatMemo& memo) {
    memo.setFont(PanelFont());
    memo.SetColor(clNavy);
    memo.SetLineHeight(16);
    memo.resize(370, 255);
}

void BenchAdding() {
    TFatMemo memo;
    Configure(memo);
    ShowExposed(memo);
    memo.Lines().Clear();
    int paints = 0;
    memo.OnChange = [&](TFatMemo&) { ++paints; };
    Report("memo: Add + SetTaggedText, per line (10,000 lines)", kBatches, kAdded / kBatches,
           [&](int i) { memo.Lines().Add().SetTaggedText(TaggedName(i)); });
    std::printf("      %d synchronous repaints, %d lines kept, lines %d..%d laid out last\n",
                paints, memo.Lines().Count(), memo.FirstLaidLine(), memo.LastLaidLine());
    Report("memo: AddLine (three repaints), per line (2,000 lines)", kBatches, 200,
           [&](int i) { memo.Lines().AddLine(Name(i)); });
    const int kept = memo.Lines().Count();
    const double wall0 = WallUs();
    const double cpu0 = CpuUs();
    memo.Lines().Clear(); // one repaint per line deleted
    std::printf("%-58s all %7.1f us   cpu %7.1f us\n", "memo: Clear of 9,999 lines, per line",
                (WallUs() - wall0) / kept, (CpuUs() - cpu0) / kept);
}

void BenchAddingPeer() {
    QPlainTextEdit edit;
    edit.setFont(PanelFont());
    edit.setReadOnly(true);
    edit.resize(370, 255);
    ShowExposed(edit);
    Report("peer: QPlainTextEdit appendHtml + repaint, per line", kBatches, kAdded / kBatches,
           [&](int i) {
               edit.appendHtml(QStringLiteral("<font color=\"#00ffff\">") +
                               Name(i).toHtmlEscaped() + QStringLiteral("</font>"));
               edit.viewport()->repaint();
           });
}

void BenchPainting() {
    TFatMemo memo;
    Configure(memo);
    memo.Lines().Clear();
    for (int i = 0; i < TFatLines::MaxLines; ++i) {
        memo.Lines().Add().SetTaggedText(TaggedName(i));
    }
    ShowExposed(memo);
    memo.SetTopIndex(memo.Lines().Count() / 2);
    // A property change repaints the way a change of the lines does.
    const auto repaint = [&](int i) { memo.SetColor(i % 2 ? clNavy : TColor(0x810000)); };
    Report("memo: repaint, 9,999 lines, TopIndex in the middle", kBatches, kPaintsPerBatch,
           repaint);
    std::printf("      lines laid out per paint: %d (lines %d..%d)\n",
                memo.LastLaidLine() - memo.FirstLaidLine() + 1, memo.FirstLaidLine(),
                memo.LastLaidLine());
    memo.SetDrawFlags(dfWordWrap);
    memo.resize(120, 255); // the names wrap onto two or three rows
    Report("memo: repaint with word wrap at 120 px", kBatches, kPaintsPerBatch, repaint);
    std::printf("      lines laid out per paint: %d\n",
                memo.LastLaidLine() - memo.FirstLaidLine() + 1);
}

void BenchPaintingPeer() {
    QPlainTextEdit edit;
    edit.setFont(PanelFont());
    edit.resize(370, 255);
    QString text;
    for (int i = 0; i < TFatLines::MaxLines; ++i) {
        text += Name(i) + u'\n';
    }
    edit.setPlainText(text);
    ShowExposed(edit);
    edit.verticalScrollBar()->setValue(edit.verticalScrollBar()->maximum() / 2);
    Report("peer: QPlainTextEdit viewport repaint, 9,999 lines, middle", kBatches, kPaintsPerBatch,
           [&](int) { edit.viewport()->repaint(); });
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // An argument picks one scenario (add, add-peer, paint, paint-peer); none runs them all.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    const std::pair<const char*, void (*)()> scenarios[] = {{"add", BenchAdding},
                                                            {"add-peer", BenchAddingPeer},
                                                            {"paint", BenchPainting},
                                                            {"paint-peer", BenchPaintingPeer}};
    for (const auto& [name, run] : scenarios) {
        if (only.isEmpty() || only == QLatin1String(name)) {
            run();
        }
    }
    return 0;
}
