#pragma once
#include <QString>

class QObject;

// Sets the caption of a control, whatever kind of caption it has: the text of
// a button or label (a button showing only its picture takes the caption as
// its tool tip too, while screen readers read it out), the title of a group
// box, the tab text of a page of a tab widget, the text of an action, the
// title of a window. A label's value
// holding a link anchor (<a href=...>) is shown as rich text, so a caption can
// change the link's address too. Returns false, changing nothing, for a
// control without a caption (text fields, lists, grids, progress bars).
bool setCaption(QObject* component, const QString& caption);
