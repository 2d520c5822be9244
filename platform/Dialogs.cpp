// SPDX-License-Identifier: GPL-3.0-or-later
#include "Dialogs.h"

#include "Exceptions.h"

#include <QApplication>
#include <QMessageBox>

namespace platterwise {
namespace {

QString& TitleStorage() {
    static QString title;
    return title;
}

IDialogs* installed = nullptr;

void ShowBox(QMessageBox::Icon icon, const QString& caption, const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

} // namespace

void QtDialogs::ShowPlainBox(const QString& text) {
    ShowBox(QMessageBox::NoIcon, ApplicationTitle(), text);
}

void QtDialogs::ShowInformationBox(const QString& text) {
    ShowBox(QMessageBox::Information, QStringLiteral("Information"), text);
}

QString ApplicationTitle() {
    return TitleStorage();
}

void SetApplicationTitle(const QString& title) {
    TitleStorage() = title;
}

IDialogs& Dialogs() {
    static QtDialogs real;
    return installed ? *installed : real;
}

void SetDialogs(IDialogs* dialogs) {
    installed = dialogs;
}

void ShowException(const std::exception& error) {
    ShowException(error, Dialogs());
}

void ShowException(const std::exception& error, IDialogs& dialogs) {
    if (const auto* own = dynamic_cast<const Exception*>(&error)) {
        dialogs.ShowPlainBox(own->Message());
    } else {
        dialogs.ShowPlainBox(QString::fromUtf8(error.what()));
    }
}

} // namespace platterwise
