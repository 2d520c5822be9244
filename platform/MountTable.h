// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The volumes the computer folder shows: "/" first, then each mounted block device from the
// mount table whose mount point is a directory (system mounts such as /boot left out).
#include <QByteArray>
#include <vector>

namespace platterwise {

struct TVolume {
    QByteArray mountPoint; // absolute, native bytes
    QByteArray device;     // empty for "/"
};

std::vector<TVolume> ListVolumes();

// True when the block device behind `device` says it is removable (sysfs).
bool IsRemovableDevice(const QByteArray& device);

} // namespace platterwise
