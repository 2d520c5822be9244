// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The namespace's property sheet of one item: a small window, not modal, that closes and
// deletes itself. Its object name is "ShellPropertiesWindow".
#include <QByteArray>
#include <QString>

class QWidget;

namespace platterwise {

// `path` is the item's file-system path (empty for a virtual item such as the computer).
void ShowItemProperties(QWidget* owner, const QString& name, const QByteArray& path);

} // namespace platterwise
