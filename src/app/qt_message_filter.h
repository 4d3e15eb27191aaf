#pragma once

// Keeps Qt's debug, information and warning messages (a missing runtime
// folder, a display plugin that failed before another one worked) off
// standard error, where scripts read the program's own messages. Critical
// and fatal messages still go through. With QT_LOGGING_RULES set, as someone
// who looks into Qt itself sets it, everything goes through.
void installQtMessageFilter();
