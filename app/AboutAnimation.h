// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The about window's animation, embedded in the program (link platterwise_about_animation).
#include <QString>

namespace platterwise {

// The Qt resource path of the GIF: ":/about/animation.gif".
QString AboutAnimationPath();

} // namespace platterwise
