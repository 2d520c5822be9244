// SPDX-License-Identifier: GPL-3.0-or-later
// Compiled once per case by tests/boundaries/CMakeLists.txt: every case but Allowed must fail.
#if defined(CASE_ALLOWED)
// A widget library reaches its own public headers and the platform layer below it, and
// connects with a context object.
#include "platform/Dialogs.h"
#include "widgets/shell/ShellListView.h"

#include <QTimer>

void Connect(QTimer& timer, QObject& context) {
    QObject::connect(&timer, &QTimer::timeout, &context, [] {});
}
#elif defined(CASE_ENGINE_INCLUDES_QT)
#include "engine/FolderSize.h"

#include <QString>
#elif defined(CASE_ENGINE_INCLUDES_PLATFORM)
#include "platform/Dialogs.h"
#elif defined(CASE_IMAGE_INCLUDES_ENGINE)
// The image library is the bottom layer: the engine and the disc library build on it.
#include "engine/Units.h"
#include "image/ImageTree.h"
#elif defined(CASE_WIDGETS_INCLUDE_APP)
#include "app/Unit1.h"
#elif defined(CASE_PRIVATE_HEADER_OF_ANOTHER_LIBRARY)
#include "widgets/shell/ShellListModel_p.h"
#elif defined(CASE_CONTEXTLESS_CONNECT)
#include <QTimer>

// The functor uses an object that may be gone when the timer fires.
void Connect(QTimer& timer, QObject& user) {
    QObject::connect(&timer, &QTimer::timeout, [&user] { user.deleteLater(); });
}
#elif defined(CASE_CAST_FROM_ASCII)
#include <QString>

QString Text() {
    return "text";
}
#else
#error "no case chosen"
#endif
