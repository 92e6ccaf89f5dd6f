#pragma once
// How the desk's name shown after a switch comes and goes: fully there for a second, then fading out.

namespace koruvan {

constexpr double kDeskNameShownSeconds = 1.0;
constexpr double kDeskNameFadeSeconds = 0.4;
// The fade's steps come about this often.
constexpr double kDeskNameFrameSeconds = 0.04;

// The name's opacity (0 to 255) `elapsed` seconds after it was shown; 0 before and once faded.
int deskNameOpacity(double elapsed);
// Seconds until the opacity changes next; nothing (negative) once it is gone.
double secondsToNextDeskNameFrame(double elapsed);

}  // namespace koruvan
