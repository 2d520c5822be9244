// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every modal message box of the program goes through this small interface, so that the
// windows can be tested with a recorder while the program shows real boxes.
#include <QString>
#include <exception>

class QWidget;

namespace platterwise {

class IDialogs {
public:
    virtual ~IDialogs() = default;
    // Modal box with one OK button, captioned with the application title, no icon.
    virtual void ShowPlainBox(const QString& text) = 0;
    // Modal box with one OK button, captioned "Information", information icon.
    virtual void ShowInformationBox(const QString& text) = 0;
};

// The real boxes, shown as QMessageBox over the active window.
class QtDialogs final : public IDialogs {
public:
    void ShowPlainBox(const QString& text) override;
    void ShowInformationBox(const QString& text) override;
};

// The application title: the caption of plain boxes. Empty until set.
QString ApplicationTitle();
void SetApplicationTitle(const QString& title);

// The process-wide dialogs, used where no window hands its own down (the standard error
// box of a failed handler). A QtDialogs until SetDialogs installs another; SetDialogs(nullptr)
// brings QtDialogs back. The caller keeps ownership of what it installs.
IDialogs& Dialogs();
void SetDialogs(IDialogs* dialogs);

// The standard error box: a plain box with the exception's message (Exception::Message
// for our own exceptions, what() otherwise).
void ShowException(const std::exception& error);
void ShowException(const std::exception& error, IDialogs& dialogs);

} // namespace platterwise
