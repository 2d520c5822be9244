// SPDX-License-Identifier: GPL-3.0-or-later
// Details columns of a shell item: the provider of this folder and the texts of one item.
#include "ShellFolder.h"
#include "platform/Exceptions.h"
#include "platform/ResourceStrings.h"
#include "widgets/shell/FallbackDetails.h"

#include <cerrno>
#include <sys/stat.h>

namespace platterwise {
namespace {

template <typename T>
std::shared_ptr<T> As(const TUnknownPtr& object) {
    return std::dynamic_pointer_cast<T>(object);
}

// The binding rule for any interface: bind, then the UI object, then the view object (the
// last answer standing), and finally the desktop.
TUnknownPtr FindByRule(const TShellFolderPtr& folder, const TItemIdList* id, QWidget* owner,
                       TIid iid) {
    TUnknownPtr found;
    if (folder) {
        found = folder->BindToObject(id, iid);
        if (!found) {
            found = folder->GetUIObjectOf(owner, id, iid);
            found = folder->CreateViewObject(owner, iid);
        }
    }
    if (!found) {
        found = DesktopFolder()->BindToObject(id, iid);
    }
    return found;
}

} // namespace

TUnknownPtr TShellFolder::DetailsProvider() {
    if (detailsLooked_ || !folderInterface_) {
        return detailsChoice_;
    }
    detailsLooked_ = true;
    plainDetails_ = As<IShellDetails>(
        FindByRule(folderInterface_, AbsoluteIdList(), ownerWindow_, TIid::ShellDetails));
    if (!plainDetails_) {
        extendedDetails_ =
            As<IShellFolder2>(DesktopFolder()->BindToObject(AbsoluteIdList(), TIid::ShellFolder2));
        if (!extendedDetails_) {
            extendedDetails_ = As<IShellFolder2>(folderInterface_->GetUIObjectOf(
                ownerWindow_, AbsoluteIdList(), TIid::ShellFolder2));
        }
        if (!extendedDetails_) {
            extendedDetails_ = As<IShellFolder2>(
                folderInterface_->BindToObject(AbsoluteIdList(), TIid::ShellFolder2));
        }
        if (!extendedDetails_) {
            // The folder itself, but only when it really offers extended details.
            extendedDetails_ = std::dynamic_pointer_cast<IShellFolder2>(folderInterface_);
        }
    }
    if (extendedDetails_) {
        detailsChoice_ = extendedDetails_;
    } else {
        detailsChoice_ = plainDetails_;
    }
    return detailsChoice_;
}

std::shared_ptr<IShellFolder2> TShellFolder::ExtendedDetails() {
    DetailsProvider();
    return extendedDetails_;
}

std::shared_ptr<IShellDetails> TShellFolder::PlainDetails() {
    DetailsProvider();
    return plainDetails_;
}

void TShellFolder::LoadColumnDetails(TShellFolder* rootFolder, QWidget* window, int columnCount) {
    if (columnTexts_.size() >= columnCount || rootFolder == nullptr) {
        return;
    }
    columnTexts_.clear();
    ownerWindow_ = window;
    if (const auto extended = rootFolder->ExtendedDetails()) {
        for (int c = 1; c <= columnCount; ++c) {
            TShellDetails details;
            columnTexts_ += extended->GetDetailsOf(RelativeIdList(), c, details)
                                ? StrRetToText(details.str, RelativeIdList())
                                : QString();
        }
    } else if (const auto plain = rootFolder->PlainDetails()) {
        for (int c = 1; c <= columnCount; ++c) {
            TShellDetails details;
            columnTexts_ += plain->GetDetailsOf(RelativeIdList(), c, details)
                                ? StrRetToText(details.str, RelativeIdList())
                                : QString();
        }
    } else if (rootFolder->ItemStates().Contains(isFileSystem)) {
        // The item's own bytes, not its display text, so that any name can be read.
        const QByteArray path = FileSystemPath();
        struct stat st {
        }, lst{};
        const bool linked = ::lstat(path.constData(), &lst) == 0 && S_ISLNK(lst.st_mode);
        if (path.isEmpty() || (::stat(path.constData(), &st) != 0 && !linked)) {
            const int error = path.isEmpty() ? ENOENT : errno;
            throw EInvalidPath(FormatMessage(QString::fromUtf16(res::SShellNoDetails),
                                             {InFolderName(), QString::number(error, 16)}));
        }
        if (linked && ::stat(path.constData(), &st) != 0) {
            st = lst; // a dangling link: its own metadata
        }
        columnTexts_ +=
            FallbackDetailTexts(st, linked, path.mid(path.lastIndexOf('/') + 1), columnCount);
    }
}

QString TShellFolder::ColumnText(int column) const {
    if (columnTexts_.isEmpty()) {
        throw Exception(FormatMessage(QString::fromUtf16(res::SCallLoadDetails), {InFolderName()}));
    }
    return columnTexts_.value(column - 1);
}

} // namespace platterwise
