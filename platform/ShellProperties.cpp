// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShellProperties.h"

#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <sys/stat.h>

namespace platterwise {
namespace {

QString Permissions(mode_t mode) {
    static constexpr char letters[] = "rwxrwxrwx";
    QString text;
    for (int bit = 0; bit < 9; ++bit) {
        text += (mode & (0400 >> bit)) != 0 ? QChar::fromLatin1(letters[bit]) : u'-';
    }
    return text;
}

QString KindOf(const struct stat& st, bool link) {
    QString kind = S_ISDIR(st.st_mode) ? QStringLiteral("Folder") : QStringLiteral("File");
    return link ? kind + QStringLiteral(" (link)") : kind;
}

} // namespace

void ShowItemProperties(QWidget* owner, const QString& name, const QByteArray& path) {
    auto* window = new QDialog(owner);
    window->setObjectName(QStringLiteral("ShellPropertiesWindow"));
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(name + QStringLiteral(" Properties"));
    auto* form = new QFormLayout(window);
    const auto row = [&](const char* caption, const QString& value) {
        auto* label = new QLabel(value, window);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        form->addRow(QString::fromLatin1(caption), label);
    };
    row("Name:", name);
    struct stat st {
    }, lst{};
    const bool linked =
        !path.isEmpty() && ::lstat(path.constData(), &lst) == 0 && S_ISLNK(lst.st_mode);
    if (!path.isEmpty() && (::stat(path.constData(), &st) == 0 || linked)) {
        if (linked && ::stat(path.constData(), &st) != 0) {
            st = lst;
        }
        const QLocale locale;
        row("Type:", KindOf(st, linked));
        row("Location:", QString::fromUtf8(path.left(path.lastIndexOf('/') + 1)));
        if (!S_ISDIR(st.st_mode)) {
            row("Size:", locale.toString(qlonglong(st.st_size)) + QStringLiteral(" bytes"));
        }
        const QDateTime modified = QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec);
        row("Modified:", locale.toString(modified, QLocale::LongFormat));
        row("Permissions:", Permissions(st.st_mode));
    } else {
        row("Type:", QStringLiteral("Virtual folder"));
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::close);
    form->addRow(buttons);
    window->show();
}

} // namespace platterwise
