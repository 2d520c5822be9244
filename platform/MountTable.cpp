// SPDX-License-Identifier: GPL-3.0-or-later
#include "MountTable.h"

#include <QFile>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mntent.h>
#include <sys/stat.h>

namespace platterwise {
namespace {

bool IsSystemMount(const QByteArray& dir) {
    return dir == "/" || dir == "/boot" || dir.startsWith("/boot/") || dir.startsWith("/snap/") ||
           dir.startsWith("/proc") || dir.startsWith("/sys") || dir.startsWith("/dev") ||
           dir.startsWith("/etc/");
}

bool IsDirectory(const QByteArray& path) {
    struct stat st {};
    return ::stat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode);
}

QByteArray ReadFirstLine(const QByteArray& path) {
    QFile file(QString::fromUtf8(path));
    if (!file.open(QIODevice::ReadOnly)) {
        return {};
    }
    return file.readLine().trimmed();
}

} // namespace

std::vector<TVolume> ListVolumes() {
    std::vector<TVolume> volumes{{QByteArrayLiteral("/"), {}}};
    FILE* table = ::setmntent("/proc/self/mounts", "r");
    if (table == nullptr) {
        return volumes;
    }
    struct mntent entry {};
    char buffer[4096];
    while (::getmntent_r(table, &entry, buffer, sizeof buffer) != nullptr) {
        const QByteArray device(entry.mnt_fsname);
        const QByteArray dir(entry.mnt_dir);
        if (!device.startsWith("/dev/") || IsSystemMount(dir) || !IsDirectory(dir)) {
            continue;
        }
        bool seen = false;
        for (const TVolume& v : volumes) {
            seen = seen || v.mountPoint == dir;
        }
        if (!seen) {
            volumes.push_back({dir, device});
        }
    }
    ::endmntent(table);
    return volumes;
}

bool IsRemovableDevice(const QByteArray& device) {
    if (!device.startsWith("/dev/")) {
        return false;
    }
    char resolved[PATH_MAX];
    if (::realpath(device.constData(), resolved) == nullptr) {
        return false;
    }
    QByteArray name(resolved);
    name = name.mid(name.lastIndexOf('/') + 1);
    char sys[PATH_MAX];
    if (::realpath(("/sys/class/block/" + name).constData(), sys) == nullptr) {
        return false;
    }
    const QByteArray dir(sys);
    QByteArray flag = ReadFirstLine(dir + "/removable");
    if (flag.isEmpty()) {
        flag = ReadFirstLine(dir + "/../removable"); // a partition: ask its disk
    }
    return flag == "1";
}

} // namespace platterwise
