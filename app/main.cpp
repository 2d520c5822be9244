// SPDX-License-Identifier: GPL-3.0-or-later
// Platterwise: starts the three windows and runs until the main window ends the program.
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "desktop/DesktopIdentity.h"
#include "platform/Dialogs.h"
#include "platform/SessionGlobalHotkeys.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// Qt aborts with a message about platform plugins when there is no display; say what to do.
bool HasDisplay() {
    return std::getenv("QT_QPA_PLATFORM") != nullptr || std::getenv("DISPLAY") != nullptr ||
           std::getenv("WAYLAND_DISPLAY") != nullptr;
}

const char kVersion[] =
    "platterwise " PLATTERWISE_VERSION "\n"
    "Copyright (C) 2026 Platterwise developers\n"
    "License GPL-3.0-or-later: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
    "This is free software: you are free to change and redistribute it.\n"
    "There is NO WARRANTY, to the extent permitted by law.\n";

const char kUsage[] = "Usage: platterwise [FOLDER | FILE...]\n"
                      "Opens the window at FOLDER, or at the folder of the FILEs with them "
                      "selected.\n"
                      "  --help     this text\n"
                      "  --version  the version and the licence\n";

// Answers --help and --version, which need no display. -1 when the window is to start.
int AnswerWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) {
            break;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::fputs(kVersion, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
    }
    return -1;
}

// The paths among the arguments Qt left, each one checked; a missing one is reported.
QStringList PathArguments(const QStringList& arguments) {
    QStringList paths;
    bool options = true;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if (options && a == QLatin1String("--")) {
            options = false;
        } else if (options && a.startsWith(QLatin1Char('-'))) {
            std::fprintf(stderr, "platterwise: unknown option %s (see --help)\n",
                         QFile::encodeName(a).constData());
        } else if (!QFileInfo::exists(a)) {
            std::fprintf(stderr, "platterwise: %s: no such folder or file\n",
                         QFile::encodeName(a).constData());
        } else {
            paths << a;
        }
    }
    return paths;
}

} // namespace

int main(int argc, char** argv) {
    using namespace platterwise;
    if (const int answered = AnswerWithoutWindow(argc, argv); answered >= 0) {
        return answered;
    }
    if (!HasDisplay()) {
        std::fprintf(stderr,
                     "platterwise: no display to show its window on (DISPLAY is not set).\n"
                     "Start it from a desktop session, or without one under a virtual X server:\n"
                     "    xvfb-run -a %s\n"
                     "For scripts there is platterwise-cli, which needs no display.\n",
                     argv[0]);
        return 1;
    }
    QApplication app(argc, argv);
    SetApplicationTitle(QStringLiteral("Morwen`s Platterwise 0.1"));
    SetDesktopIdentity(app);

    QtDialogs dialogs;
    TSessionGlobalHotkeys hotkeys;
    TForm1 form1(dialogs, hotkeys);
    // Qt children of the main window: it destroys them, whatever the order of these lines.
    form1.SetOptionsWindow(new TForm2(dialogs, &form1));
    form1.SetAboutWindow(new TForm3(&form1));
    form1.OpenPaths(PathArguments(QApplication::arguments()));

    form1.show();
    return app.exec();
}
