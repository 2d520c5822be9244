// SPDX-License-Identifier: GPL-3.0-or-later
#include "AboutAnimation.h"

namespace platterwise {

QString AboutAnimationPath() {
    return QStringLiteral(":/about/animation.gif");
}

} // namespace platterwise
