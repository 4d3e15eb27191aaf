#pragma once

class QWidget;

// Gives the window's controls that have no caption of their own (text and
// number fields, file lists, progress bars, the pictures of pages) the
// caption of the control that says what they hold, as the name a screen
// reader reads out. Called after every language load, so the names follow
// the chosen language.
void nameCaptionlessControls(QWidget& window);
