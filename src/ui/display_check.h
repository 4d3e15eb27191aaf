#pragma once
#include <string>

// True when a window can be shown: on Linux an X11 or Wayland display is
// named in the environment (DISPLAY or WAYLAND_DISPLAY set and not empty).
bool hasDisplay();

// The Qt platforms whose display answers, in the order to try them,
// separated by ";": "xcb" when the X server named by DISPLAY accepts a
// connection, "wayland" when the compositor socket named by WAYLAND_DISPLAY
// does (first in a Wayland session). Empty when none answers: a display named
// but not reachable (a closed SSH tunnel, a stopped Xvfb) is no display, and
// Qt would end the process when it fails to open it.
std::string reachableDisplayPlatforms();
