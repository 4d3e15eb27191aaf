#pragma once

// Positions shared by the three job tabs, in pixels inside a tab page.
namespace window_layout {

constexpr int gridX = 16, gridY = 14;
constexpr int sideButtonX = gridX + 969 + 10;  // the icon buttons right of a grid
constexpr int groupY = 108, groupHeight = 264;  // the option groups under a short grid
constexpr int destGroupX = 524;
constexpr int runButtonX = gridX + 969 - 158, runButtonY = 396;
constexpr int progressY = runButtonY + 7;

}  // namespace window_layout
