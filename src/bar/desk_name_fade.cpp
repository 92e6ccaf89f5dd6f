#include "bar/desk_name_fade.h"

#include <algorithm>
#include <cmath>

namespace koruvan {

int deskNameOpacity(double elapsed) {
    if (elapsed < 0 || elapsed >= kDeskNameShownSeconds + kDeskNameFadeSeconds) return 0;
    if (elapsed < kDeskNameShownSeconds) return 255;
    const double left = 1.0 - (elapsed - kDeskNameShownSeconds) / kDeskNameFadeSeconds;
    return std::clamp(static_cast<int>(std::lround(255 * left)), 0, 255);
}

double secondsToNextDeskNameFrame(double elapsed) {
    const double end = kDeskNameShownSeconds + kDeskNameFadeSeconds;
    if (elapsed >= end) return -1;
    if (elapsed < kDeskNameShownSeconds) return kDeskNameShownSeconds - std::max(elapsed, 0.0);
    return std::min(kDeskNameFrameSeconds, end - elapsed);
}

}  // namespace koruvan
