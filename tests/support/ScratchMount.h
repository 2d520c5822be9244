// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small tmpfs mounted on a fresh folder, for tests of writes the system refuses: read-only
// folders (root ignores permission bits, but not a read-only mount) and a full disk. Needs
// CAP_SYS_ADMIN; Mounted() is false where mounting is not allowed, and the test should skip.
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <sys/mount.h>

namespace platterwise::testing {

class ScratchMount {
public:
    // `options` as for mount(8) -o, e.g. "size=64k" or "ro,size=64k".
    explicit ScratchMount(const char* options) {
        if (dir_.isValid())
            mounted_ = ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0,
                               options) == 0;
    }
    ~ScratchMount() {
        if (mounted_)
            ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
    }
    ScratchMount(const ScratchMount&) = delete;
    ScratchMount& operator=(const ScratchMount&) = delete;

    bool Mounted() const { return mounted_; }
    QString Path() const { return dir_.path(); }
    QString FilePath(const QString& name) const { return dir_.filePath(name); }
    // Makes the mount read-only from now on.
    bool RemountReadOnly() {
        return mounted_ && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs",
                                   MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

private:
    QTemporaryDir dir_;
    bool mounted_ = false;
};

} // namespace platterwise::testing
