#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QToolButton>
#include <filesystem>

#include "qt_application.h"
#include "settings/settings.h"
#include "support/fixtures.h"
#include "support/private_config.h"
#include "support/scripted_dialogs.h"
#include "ui/main_window.h"
#include "ui/message_text.h"
#include "ui/protection_dialog.h"

namespace {

// What a control shows as its caption; an icon button shows its tool tip.
QString captionOf(QWidget* control) {
    if (auto* button = qobject_cast<QToolButton*>(control); button && button->text().isEmpty())
        return button->toolTip();
    if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
    return qobject_cast<QLabel*>(control)->text();
}

// Without any language file, the window and its dialog show the English built
// into the program: no control that has a caption is left without one, and a
// message takes its English text.
TEST(BuiltInEnglish, WithoutLanguageFilesEveryControlHasItsEnglishCaption) {
    ensureQtApplication();
    fixtures::TempDir dir;
    std::filesystem::create_directory(dir.file("languages"));
    Settings().setLanguage("English");
    ScriptedDialogs dialogs;
    MainWindow window(dialogs, nullptr, dir.file("languages") + "/");
    ASSERT_EQ(dialogs.messages.size(), 1u) << "the missing file is named";

    // Filled by the program (a picture, a count, a note on the pages), never
    // shown (the padlock's pictures) or Qt's own (the tab bar's arrows).
    const QStringList uncaptioned{"appIcon",        "mergeTotalPages",  "glyphLocked",     "glyphUnlocked",
                                  "split_pages_note", "merge_pages_note", "mix_pages_note", "ScrollLeftButton",
                                  "ScrollRightButton"};
    for (QWidget* root : std::initializer_list<QWidget*>{&window, &window.protectionDialog()}) {
        for (QWidget* control : root->findChildren<QWidget*>()) {
            const QString name = control->objectName();
            const bool captioned = qobject_cast<QAbstractButton*>(control) || qobject_cast<QGroupBox*>(control) ||
                                   qobject_cast<QLabel*>(control);
            if (!captioned || name.isEmpty() || name.startsWith("qt_") || uncaptioned.contains(name)) continue;
            EXPECT_FALSE(captionOf(control).isEmpty()) << name.toStdString();
        }
    }
    EXPECT_EQ(captionOf(window.findChild<QWidget*>("cmd_split_run")), "Split this PDF!");
    EXPECT_EQ(captionOf(window.findChild<QWidget*>("mergeBtnAddFile")), "Add PDF files");
    EXPECT_EQ(textOf(messageText::wrongNumber, {}, {"x"}),
              "\"x\" is not a number the marked field can take. Please type a whole number such as 3.");
}

}  // namespace
