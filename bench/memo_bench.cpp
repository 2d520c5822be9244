// SPDX-License-Identifier: GPL-3.0-or-later
// Figures for the results memo: adding tagged and plain lines to a visible memo (each change
// repaints at once), at the line limit too, clearing it, repainting a full memo scrolled to the
// middle and scrolling it, each next to a QPlainTextEdit doing the same work as a peer in the
// same run, with the ratio. Runs on the offscreen platform unless QT_QPA_PLATFORM is set.
//
// The machine may be shared, so each figure is given three ways: the fastest batch (wall
// clock), the whole run (wall clock) and the process's CPU time for the whole run.
#include "platform/Fonts.h"
#include "widgets/fatmemo/FatThings.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <utility>

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

struct TFigure {
    double best = 0; // microseconds per operation, fastest batch
    double all = 0;  // whole run, wall clock
    double cpu = 0;  // whole run, process CPU time
};

// Runs `op(i)` for i in 0..batches*perBatch-1 in batches; prints microseconds per operation.
TFigure Report(const char* what, int batches, int perBatch, const std::function<void(int)>& op) {
    TFigure f{1e300, 0, 0};
    const double wall0 = WallUs();
    const double cpu0 = CpuUs();
    for (int b = 0; b < batches; ++b) {
        const double t0 = WallUs();
        for (int i = 0; i < perBatch; ++i) {
            op(b * perBatch + i);
        }
        f.best = std::min(f.best, (WallUs() - t0) / perBatch);
    }
    const int n = batches * perBatch;
    f.all = (WallUs() - wall0) / n;
    f.cpu = (CpuUs() - cpu0) / n;
    std::printf("%-64s best batch %7.1f us   all %7.1f us   cpu %7.1f us\n", what, f.best, f.all,
                f.cpu);
    return f;
}

void Ratio(const char* what, const TFigure& ours, const TFigure& theirs) {
    std::printf("  ratio %-56s best batch %7.2f      all %7.2f      cpu %7.2f\n", what,
                ours.best / theirs.best, ours.all / theirs.all, ours.cpu / theirs.cpu);
}

// Counts the paints of a widget and the pixels they covered.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget& w) { w.installEventFilter(this); }
    long long paints = 0;
    long long pixels = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect& r : static_cast<QPaintEvent*>(event)->region()) {
                pixels += static_cast<long long>(r.width()) * r.height();
            }
        }
        return false;
    }
};

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

void PrintPaints(const char* what, const PaintCounter& memo, const PaintCounter& bar, int n) {
    std::printf("      %s: %lld memo paints (%.1f pixels a line), %lld scroll bar paints\n", what,
                memo.paints, double(memo.pixels) / n, bar.paints);
}

void BenchAdding() {
    // Ours: a fresh memo filled with 10,000 lines (the view fills after 15, then every line
    // lands below it), then 2,000 more at the line limit (each drops line 0, so every visible
    // row moves), then cleared.
    TFatMemo memo;
    Configure(memo);
    ShowExposed(memo);
    memo.Lines().Clear();
    PaintCounter paints(memo);
    PaintCounter barPaints(*memo.findChild<QScrollBar*>(QStringLiteral("ScrollBarVert")));
    const TFigure tagged =
        Report("memo: Add + SetTaggedText, per line (10,000 lines)", kBatches, kAdded / kBatches,
               [&](int i) { memo.Lines().Add().SetTaggedText(TaggedName(i)); });
    PrintPaints("lines 1-10,000", paints, barPaints, kAdded);
    paints.paints = paints.pixels = barPaints.paints = 0;
    const TFigure taggedFull =
        Report("memo: Add + SetTaggedText at the line limit, per line (2,000 lines)", kBatches, 200,
               [&](int i) { memo.Lines().Add().SetTaggedText(TaggedName(i)); });
    PrintPaints("at the limit", paints, barPaints, 2000);
    const TFigure plainFull = Report("memo: AddLine (three repaints), per line (2,000 lines)",
                                     kBatches, 200, [&](int i) { memo.Lines().AddLine(Name(i)); });
    const int kept = memo.Lines().Count();
    const double wall0 = WallUs();
    const double cpu0 = CpuUs();
    memo.Lines().Clear(); // one notification per line deleted
    std::printf("%-64s all %7.1f us   cpu %7.1f us   (%.1f ms in all)\n",
                "memo: Clear of 9,999 lines, per line", (WallUs() - wall0) / kept,
                (CpuUs() - cpu0) / kept, (WallUs() - wall0) / 1000);
    const TFigure plain = Report("memo: AddLine, per line (10,000 lines)", kBatches,
                                 kAdded / kBatches, [&](int i) { memo.Lines().AddLine(Name(i)); });

    // The peer, in the same run: the same lines, each appended and the view repainted.
    QPlainTextEdit edit;
    edit.setFont(PanelFont());
    edit.setReadOnly(true);
    edit.resize(370, 255);
    ShowExposed(edit);
    const auto append = [&](int i) {
        edit.appendHtml(QStringLiteral("<font color=\"#00ffff\">") + Name(i).toHtmlEscaped() +
                        QStringLiteral("</font>"));
        edit.viewport()->repaint();
    };
    const TFigure peer = Report("peer: QPlainTextEdit appendHtml + repaint, per line", kBatches,
                                kAdded / kBatches, append);
    edit.setMaximumBlockCount(TFatLines::MaxLines);
    const TFigure peerFull = Report(
        "peer: the same at a limit of 9,999 blocks, per line (2,000 lines)", kBatches, 200, append);

    std::printf("\n");
    Ratio("tagged line / peer (target <= 1.0, aim 0.5)", tagged, peer);
    Ratio("tagged line at the limit / peer at its limit", taggedFull, peerFull);
    Ratio("AddLine / tagged line (target <= 1.5)", plain, tagged);
    Ratio("AddLine / tagged line, at the limit", plainFull, taggedFull);
}

std::pair<TFigure, TFigure> PaintPeer() {
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
    const TFigure paint =
        Report("peer: QPlainTextEdit viewport repaint, 9,999 lines, middle", kBatches,
               kPaintsPerBatch, [&](int) { edit.viewport()->repaint(); });
    QScrollBar& bar = *edit.verticalScrollBar();
    const int middle = bar.value();
    const TFigure scrolling = Report("peer: QPlainTextEdit scroll by one line + repaint", kBatches,
                                     kPaintsPerBatch, [&](int i) {
                                         bar.setValue(middle + i % 2);
                                         edit.viewport()->repaint();
                                     });
    return {paint, scrolling};
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
    const TFigure ours = Report("memo: repaint, 9,999 lines, TopIndex in the middle", kBatches,
                                kPaintsPerBatch, repaint);
    std::printf("      lines laid out per paint: %d (lines %d..%d)\n",
                memo.LastLaidLine() - memo.FirstLaidLine() + 1, memo.FirstLaidLine(),
                memo.LastLaidLine());
    memo.SetDrawFlags(dfWordWrap);
    memo.resize(120, 255); // the names wrap onto two or three rows
    Report("memo: repaint with word wrap at 120 px", kBatches, kPaintsPerBatch, repaint);
    std::printf("      lines laid out per paint: %d\n",
                memo.LastLaidLine() - memo.FirstLaidLine() + 1);
    memo.SetDrawFlags(0);
    memo.resize(370, 255);
    const TFigure scrolling =
        Report("memo: scroll by one line (TopIndex +1 / -1)", kBatches, kPaintsPerBatch,
               [&](int i) { memo.SetTopIndex(memo.Lines().Count() / 2 + i % 2); });

    const auto [peer, peerScrolling] = PaintPeer();
    std::printf("\n");
    Ratio("repaint / peer", ours, peer);
    Ratio("scroll by one line / peer", scrolling, peerScrolling);
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    // An argument picks one scenario (add, paint); none runs both. Each runs its peer too.
    const QString only = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    const std::pair<const char*, void (*)()> scenarios[] = {{"add", BenchAdding},
                                                            {"paint", BenchPainting}};
    for (const auto& [name, run] : scenarios) {
        if (only.isEmpty() || only == QLatin1String(name)) {
            run();
        }
    }
    return 0;
}
