#include "AboutAnimation.h"

namespace platterwise {

QString AboutAnimationPath() {
    return QStringLiteral(":/about/animation.gif");
}

} // namespace platterwise
