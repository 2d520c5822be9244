// SPDX-License-Identifier: GPL-3.0-or-later
// Lists folders of 1,000, 10,000 and 100,000 files in the shell list's report view and
// prints the time to fill, the time to paint the first screen and the heap per row, next to
// `ls -f | wc -l` and a sorted `ls | wc -l` on the same folder, with the fill's ratio to the
// sorted `ls` (plain and with the main window's type filter).
//
//   shell_list_bench [work-directory]    (default: a temporary directory, removed afterwards)
#include "widgets/shell/ShellListView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace platterwise;

namespace {

constexpr int kRuns = 5;

void MakeFolder(const QByteArray& dir, int count) {
    ::mkdir(dir.constData(), 0755);
    for (int i = 0; i < count; ++i) {
        char name[64];
        std::snprintf(name, sizeof name, "/Track %06d - Artist - Title.flac", count - i);
        const int fd = ::open((dir + name).constData(), O_CREAT | O_WRONLY | O_CLOEXEC, 0644);
        if (fd >= 0) {
            ::close(fd);
        }
    }
}

// `command` on `dir` through sh, best of kRuns, in milliseconds (process start included).
double LsMilliseconds(const QByteArray& dir, int& lines, const char* command = "ls -f") {
    double best = 1e18;
    for (int run = 0; run < kRuns; ++run) {
        QProcess ls;
        QElapsedTimer clock;
        clock.start();
        ls.start(QStringLiteral("sh"),
                 {QStringLiteral("-c"),
                  QString::fromLatin1(command) + QStringLiteral(" \"$0\" | wc -l"),
                  QFile::decodeName(dir)});
        ls.waitForFinished(-1);
        best = std::min(best, clock.nsecsElapsed() / 1e6);
        lines = ls.readAllStandardOutput().trimmed().toInt();
    }
    return best;
}

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

struct TFigures {
    double fill = 1e18, firstScreen = 1e18, filteredFill = 1e18;
    double bytesPerRow = 0;
    int rows = 0;
};

TFigures Measure(const QByteArray& dir, const QByteArray& empty) {
    TFigures f;
    for (int run = 0; run < kRuns; ++run) {
        TShellListView list;
        list.resize(560, 420);
        list.SetObjectTypes({otFolders, otNonFolders, otHidden});
        list.SetMultiSelect(true);
        list.SetGridLines(true);
        list.SetViewStyle(vsReport);
        list.SetRoot(QFile::decodeName(empty));
        list.show();
        QApplication::processEvents();
        const std::size_t before = HeapInUse();
        QElapsedTimer clock;
        clock.start();
        list.SetRoot(QFile::decodeName(dir));
        f.fill = std::min(f.fill, clock.nsecsElapsed() / 1e6);
        const std::size_t filled = HeapInUse();
        clock.restart();
        const QPixmap screen = list.grab();
        f.firstScreen = std::min(f.firstScreen, clock.nsecsElapsed() / 1e6);
        f.rows = list.ItemCount();
        f.bytesPerRow = double(filled - before) / std::max(1, f.rows);

        // The main window's type filter reads each item's full path and folder flag.
        list.OnAddFolder = [](TShellListView*, TShellFolder* item, bool& canAdd) {
            const QString path = item->FullPathName();
            canAdd =
                item->IsContainer() || path.endsWith(QLatin1String(".flac"), Qt::CaseInsensitive);
        };
        clock.restart();
        list.Reload();
        f.filteredFill = std::min(f.filteredFill, clock.nsecsElapsed() / 1e6);
    }
    return f;
}

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    const QByteArray base = argc > 1 ? QByteArray(argv[1]) : QFile::encodeName(temporary.path());
    const QByteArray empty = base + "/empty";
    ::mkdir(empty.constData(), 0755);

    // The ratios divide by the sorted `ls` of the same run: the list shows its rows sorted.
    std::printf("%8s %10s %10s %10s %12s %12s %12s %10s %8s %8s\n", "entries", "ls -f ms",
                "ls lines", "ls ms", "fill ms", "filter ms", "screen ms", "B/row", "fill/ls",
                "filt/ls");
    for (const int count : {1000, 10000, 100000}) {
        const QByteArray dir = base + "/files-" + QByteArray::number(count);
        struct stat st {};
        if (::stat(dir.constData(), &st) != 0) {
            MakeFolder(dir, count);
        }
        int lines = 0;
        const double ls = LsMilliseconds(dir, lines);
        int sortedLines = 0;
        const double sorted = LsMilliseconds(dir, sortedLines, "ls"); // sorted, as the list is
        const TFigures f = Measure(dir, empty);
        std::printf("%8d %10.1f %10d %10.1f %12.1f %12.1f %12.1f %10.0f %8.2f %8.2f\n", f.rows, ls,
                    lines, sorted, f.fill, f.filteredFill, f.firstScreen, f.bytesPerRow,
                    f.fill / sorted, f.filteredFill / sorted);
        std::fflush(stdout);
    }
    return 0;
}
