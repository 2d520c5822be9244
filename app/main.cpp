// Platterwise: starts the three windows and runs until the main window ends the program.
#include "Unit1.h"
#include "Unit2.h"
#include "Unit3.h"
#include "desktop/DesktopIdentity.h"
#include "platform/Dialogs.h"
#include "platform/SessionGlobalHotkeys.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

namespace {

// Qt aborts with a message about platform plugins when there is no display; say what to do.
bool HasDisplay() {
    return std::getenv("QT_QPA_PLATFORM") != nullptr || std::getenv("DISPLAY") != nullptr ||
           std::getenv("WAYLAND_DISPLAY") != nullptr;
}

} // namespace

int main(int argc, char** argv) {
    using namespace platterwise;
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

    form1.show();
    return app.exec();
}
