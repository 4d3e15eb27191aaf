#pragma once

// True when a window can be shown: on Linux an X11 or Wayland display is
// named in the environment (DISPLAY or WAYLAND_DISPLAY set and not empty).
bool hasDisplay();
