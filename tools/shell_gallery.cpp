// SPDX-License-Identifier: GPL-3.0-or-later
// Shows one shell list set up as the main window sets it up, for screenshots:
//
//   shell_gallery <icon|small|list|report> <root> [milliseconds to stay, default 4000]
//
// The first two rows are selected and the window quits by itself.
#include "widgets/shell/ShellListView.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QItemSelectionModel>
#include <QTimer>
#include <cstdio>
#include <cstring>

using namespace platterwise;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: shell_gallery <icon|small|list|report> <root> [ms]\n");
        return 2;
    }
    const TViewStyle style = std::strcmp(argv[1], "icon") == 0    ? vsIcon
                             : std::strcmp(argv[1], "small") == 0 ? vsSmallIcon
                             : std::strcmp(argv[1], "list") == 0  ? vsList
                                                                  : vsReport;
    QWidget window;
    window.setWindowTitle(QStringLiteral("Shell list: %1").arg(QLatin1String(argv[1])));
    window.setFixedSize(600, 440);
    auto* list = new TShellListView(&window);
    list->setGeometry(8, 8, 584, 424);
    list->SetObjectTypes({otFolders, otNonFolders, otHidden});
    list->SetAutoRefresh(true);
    list->SetMultiSelect(true);
    list->SetReadOnly(false);
    list->SetGridLines(true);
    list->SetHideSelection(false);
    list->SetViewStyle(style);
    try {
        list->SetRoot(QString::fromLocal8Bit(argv[2]));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    for (int row = 0; row < 2 && row < list->ItemCount(); ++row) {
        list->ActiveView()->selectionModel()->select(
            list->Model()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    window.move(0, 0);
    window.show();
    list->setFocus();
    QTimer::singleShot(argc > 3 ? std::atoi(argv[3]) : 4000, &app, &QApplication::quit);
    return app.exec();
}
