#include "ui/protection_dialog.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <gtest/gtest.h>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "qt_application.h"
#include "window_controls.h"
#include "settings/translations.h"
#include "settings/language_folder.h"
#include "settings/settings.h"
#include "support/scripted_dialogs.h"

namespace {

using Writes = std::vector<std::pair<std::string, std::string>>;

// The dialog over a set of protection values, with a recording setting
// writer that can be told to refuse one name.
class ProtectionDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        ensureQtApplication();
        Settings::takeNote();  // a note another test's window left is not this form's
    }

    ProtectionDialog& form(QWidget* parent = nullptr) {
        if (!form_) {
            form_ = std::make_unique<ProtectionDialog>(
                settings,
                [this](const std::string& key) {
                    askedKeys.push_back(key);
                    const auto found = translations.find(key);
                    return found == translations.end() ? std::string() : found->second;
                },
                [this](const std::string& name, const std::string& value) {
                    if (name == refusedName) throw std::runtime_error("Access is denied");
                    writes.emplace_back(name, value);
                },
                dialogs, [this](bool locked) { lockPictures.push_back(locked); }, parent);
        }
        return *form_;
    }

    void showForm() {
        form().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form()));
    }

    static void typeInto(QLineEdit* field, const QString& text) {
        field->clear();
        QTest::keyClicks(field, text);
    }

    Protection settings;
    std::map<std::string, std::string> translations;
    std::vector<std::string> askedKeys;
    std::string refusedName;
    Writes writes;
    std::vector<bool> lockPictures;
    ScriptedDialogs dialogs;
    std::unique_ptr<ProtectionDialog> form_;
};

// Passwords that differ, or one other readers could not open files with,
// store nothing and keep the dialog open with what was typed.
TEST_F(ProtectionDialogTest, OkStoresOnlyWhenBothPasswordFieldsAgree) {
    struct Case {
        const char* name;
        QString first, second;
        Writes expectedWrites;
        std::string expectedPassword;
        std::vector<bool> expectedPictures;
        std::vector<std::string> expectedMessages;
    };
    const Writes watermark = {{"watermarkPath", "/pics/mark.png"}, {"watermarkX", "10"}, {"watermarkY", "20"}};
    auto withPassword = [&](const std::string& password) {
        Writes all = {{"outputPdfPassword", password}};
        all.insert(all.end(), watermark.begin(), watermark.end());
        return all;
    };
    const std::vector<Case> cases = {
        {"both empty", "", "", withPassword(""), "", {false}, {}},
        {"both equal", "Geheim 1", "Geheim 1", withPassword("Geheim 1"), "Geheim 1", {true}, {}},
        {"differ in letter case", "Secret", "secret", {}, "old", {}, {"Passwords do not match"}},
        {"one field empty", "Secret", "", {}, "old", {}, {"Passwords do not match"}},
        {"127 bytes", QString(127, 'p'), QString(127, 'p'), withPassword(std::string(127, 'p')), std::string(127, 'p'),
         {true}, {}},
        {"128 bytes", QString(128, 'p'), QString(128, 'p'), {}, "old", {},
         {"The output password is longer than 127 bytes; other PDF readers could not open the files with it"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form_.reset();
        writes.clear();
        lockPictures.clear();
        dialogs.messages.clear();
        settings = {"old", "/pics/mark.png", "10", "20"};
        translations = {{"MsgPasswordsDiffer", "Passwords do not match"}};
        showForm();
        EXPECT_EQ(control<QLineEdit>(form(), "passwordEdit1")->text(), "old");
        EXPECT_EQ(control<QLineEdit>(form(), "passwordEdit2")->echoMode(), QLineEdit::Password);
        typeInto(control<QLineEdit>(form(), "passwordEdit1"), c.first);
        typeInto(control<QLineEdit>(form(), "passwordEdit2"), c.second);

        QTest::mouseClick(control<QPushButton>(form(), "Command2"), Qt::LeftButton);

        EXPECT_EQ(writes, c.expectedWrites);
        EXPECT_EQ(settings.outputPassword, c.expectedPassword);
        EXPECT_EQ(settings.watermarkPath, "/pics/mark.png");
        EXPECT_EQ(lockPictures, c.expectedPictures);
        EXPECT_EQ(dialogs.messages, c.expectedMessages);
        const bool stored = c.expectedMessages.empty();
        EXPECT_EQ(form().isVisible(), !stored);
        if (stored) {
            EXPECT_EQ(form().result(), QDialog::Accepted);
        } else {
            EXPECT_EQ(control<QLineEdit>(form(), "passwordEdit1")->text(), c.first);
            EXPECT_EQ(control<QLineEdit>(form(), "passwordEdit2")->text(), c.second);
        }
    }
}

TEST_F(ProtectionDialogTest, BrowseAndResetChangeOnlyThePathAndOnlyOkStoresIt) {
    settings = {"", "/pics/old.png", "", ""};
    dialogs.pictureAnswers = {"/pics/new.png", ""};
    showForm();
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkPath")->text(), "/pics/old.png");
    EXPECT_TRUE(control<QLineEdit>(form(), "editWatermarkPath")->isReadOnly());

    QTest::mouseClick(control<QPushButton>(form(), "cmd_select_watermark"), Qt::LeftButton);
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkPath")->text(), "/pics/new.png");
    QTest::mouseClick(control<QPushButton>(form(), "cmd_select_watermark"), Qt::LeftButton);  // cancelled: nothing changes
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkPath")->text(), "/pics/new.png");

    QTest::mouseClick(control<QPushButton>(form(), "cmd_no_watermark"), Qt::LeftButton);
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkPath")->text(), "");
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkX")->text(), "50");
    EXPECT_TRUE(writes.empty());
    EXPECT_EQ(settings.watermarkPath, "/pics/old.png");

    QTest::mouseClick(control<QPushButton>(form(), "Command2"), Qt::LeftButton);
    const Writes expected = {
        {"outputPdfPassword", ""}, {"watermarkPath", ""}, {"watermarkX", "50"}, {"watermarkY", "50"}};
    EXPECT_EQ(writes, expected);
    EXPECT_EQ(settings.watermarkPath, "");
    EXPECT_EQ(settings.watermarkX, "50");
}

TEST_F(ProtectionDialogTest, CancelAndCloseBoxStoreNothingAndTypedPositionStaysWhenNoneIsStored) {
    showForm();
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkX")->text(), "50");
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkY")->text(), "50");
    typeInto(control<QLineEdit>(form(), "editWatermarkX"), "12a0");  // the letter is refused
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkX")->text(), "120");
    typeInto(control<QLineEdit>(form(), "passwordEdit1"), "typed");
    typeInto(control<QLineEdit>(form(), "passwordEdit2"), "typed");
    QTest::mouseClick(control<QPushButton>(form(), "Command3"), Qt::LeftButton);
    EXPECT_FALSE(form().isVisible());
    EXPECT_EQ(form().result(), QDialog::Rejected);

    showForm();
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkX")->text(), "120");   // no stored X: the typed text stays
    EXPECT_EQ(control<QLineEdit>(form(), "passwordEdit1")->text(), "");       // the password is loaded again
    settings.watermarkY = "75";
    typeInto(control<QLineEdit>(form(), "editWatermarkPath"), "ignored");
    form().close();

    showForm();
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkY")->text(), "75");    // a stored position replaces the field
    EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkPath")->text(), "");
    EXPECT_TRUE(writes.empty());
    EXPECT_TRUE(lockPictures.empty());
    EXPECT_EQ(settings.watermarkX, "");
}

TEST_F(ProtectionDialogTest, CaptionsComeFromTheTranslationsAndAnAbsentKeyEmptiesTheCaption) {
    translations = {
        {"LabelPass", "Passwort"},
        {"LabelPassConfirm", "Passwort bestätigen"},
        {"Command2", "OK"},
        {"Command3", "Abbrechen"},
        {"settingsIntro", "Schützen Sie alle erzeugten Dateien mit einem Passwort."},
        {"ProtectDocuments", "Dokumente schützen"},
        {"groupBoxWatermark", "Wasserzeichen"},
        {"groupBoxPassword", "Passwort"},
        {"watemarkIntro", "Wählen Sie ein Bild."},
        {"cmd_select_watermark", "Durchsuchen"},
        {"cmd_no_watermark", "Zurücksetzen"},
    };
    EXPECT_EQ(control<QLabel>(form(), "labelPosition")->text(), "Position - distance from top-left corner (X,Y)");
    showForm();

    EXPECT_EQ(control<QLabel>(form(), "labelPosition")->text(), "");
    EXPECT_EQ(form().windowTitle(), "Dokumente schützen");
    EXPECT_EQ(control<QLabel>(form(), "LabelPassConfirm")->text(), "Passwort bestätigen");
    EXPECT_EQ(control<QLabel>(form(), "SettingsIntro")->text(), "Schützen Sie alle erzeugten Dateien mit einem Passwort.");
    EXPECT_EQ(control<QGroupBox>(form(), "groupBoxWatermark")->title(), "Wasserzeichen");
    EXPECT_EQ(control<QPushButton>(form(), "cmd_no_watermark")->text(), "Zurücksetzen");
    EXPECT_EQ(control<QPushButton>(form(), "Command3")->text(), "Abbrechen");
    // Screen readers name the fields after their label or their group.
    EXPECT_EQ(QAccessible::queryAccessibleInterface(control(form(), "passwordEdit2"))->text(QAccessible::Name),
              "Passwort bestätigen");
    EXPECT_EQ(control(form(), "editWatermarkPath")->accessibleName(), "Wasserzeichen");
    const std::vector<std::string> order = {"LanguageCode",     "LabelPass",        "LabelPassConfirm",  "Command2",
                                            "Command3",         "settingsIntro",     "ProtectDocuments",
                                            "groupBoxWatermark", "groupBoxPassword", "watemarkIntro",
                                            "cmd_select_watermark", "cmd_no_watermark", "labelPosition"};
    EXPECT_EQ(askedKeys, order);
}

TEST_F(ProtectionDialogTest, ARefusedWriteStopsTheLaterStepsAndKeepsTheDialogOpen) {
    struct Case {
        const char* refused;
        Writes expectedWrites;
        std::string expectedPassword;
        std::vector<bool> expectedPictures;
    };
    const std::vector<Case> cases = {
        {"outputPdfPassword", {}, "old", {}},
        {"watermarkX", {{"outputPdfPassword", "new"}, {"watermarkPath", "/pics/new.png"}}, "new", {true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.refused);
        form_.reset();
        writes.clear();
        lockPictures.clear();
        dialogs.messages.clear();
        settings = {"old", "/pics/old.png", "1", "2"};
        refusedName = c.refused;
        dialogs.pictureAnswers = {"/pics/new.png"};
        showForm();
        typeInto(control<QLineEdit>(form(), "passwordEdit1"), "new");
        typeInto(control<QLineEdit>(form(), "passwordEdit2"), "new");
        QTest::mouseClick(control<QPushButton>(form(), "cmd_select_watermark"), Qt::LeftButton);
        typeInto(control<QLineEdit>(form(), "editWatermarkX"), "30");

        EXPECT_THROW(form().storeValues(), std::runtime_error);
        writes.clear();
        lockPictures.clear();
        settings.outputPassword = "old";
        QTest::mouseClick(control<QPushButton>(form(), "Command2"), Qt::LeftButton);

        EXPECT_EQ(writes, c.expectedWrites);
        EXPECT_EQ(settings.outputPassword, c.expectedPassword);
        EXPECT_EQ(settings.watermarkPath, "/pics/old.png");
        EXPECT_EQ(settings.watermarkX, "1");
        EXPECT_EQ(lockPictures, c.expectedPictures);
        EXPECT_EQ(dialogs.messages, std::vector<std::string>{"Access is denied."});
        EXPECT_TRUE(form().isVisible());
        EXPECT_EQ(control<QLineEdit>(form(), "editWatermarkX")->text(), "30");
    }
}

TEST_F(ProtectionDialogTest, DialogHasItsFixedSizeAndOnlyACloseBox) {
    showForm();
    EXPECT_EQ(form().size(), QSize(891, 294));
    EXPECT_EQ(form().minimumSize(), form().maximumSize());
    const Qt::WindowFlags flags = form().windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowContextHelpButtonHint));
    EXPECT_TRUE(control<QPushButton>(form(), "Command2")->font().bold());
    for (QLineEdit* field : {control<QLineEdit>(form(), "passwordEdit1"), control<QLineEdit>(form(), "passwordEdit2")})
        EXPECT_EQ(field->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, field), '*');
}

// The offscreen screen is smaller than the dialog, so Qt's centring is held
// inside the screen there; what shows is that each showing is placed anew.
TEST_F(ProtectionDialogTest, EveryShowingPlacesTheDialogOverItsWindowAgain) {
    QWidget window;
    window.setGeometry(60, 40, 700, 500);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    form(&window);
    showForm();
    const QPoint placed = form().pos();
    EXPECT_TRUE(form().frameGeometry().intersects(window.frameGeometry()));
    form().move(placed + QPoint(200, 150));
    form().reject();
    showForm();
    EXPECT_EQ(form().pos(), placed);
    form_.reset();  // before its parent window goes
}

// With the texts of every language file beside the program, no caption of
// the dialog is cut off.
TEST_F(ProtectionDialogTest, CaptionsOfEveryLanguageFit) {
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/languages");
    const QStringList languages = availableLanguages(folder);
    ASSERT_GE(languages.size(), 16);
    for (const QString& language : languages) {
        SCOPED_TRACE(language.toStdString());
        Translations texts(nullptr);
        texts.load(languageFile(folder, language));
        Protection values;
        ProtectionDialog dialog(
            values, [&](const std::string& key) { return texts.text(QString::fromStdString(key)).toStdString(); },
            [](const std::string&, const std::string&) {}, dialogs, [](bool) {});
        dialog.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
        EXPECT_FALSE(control<QLabel>(dialog, "labelPosition")->text().isEmpty());
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->wordWrap())
                EXPECT_LE(label->heightForWidth(label->width()), label->height()) << label->objectName().toStdString();
            else
                EXPECT_LE(label->sizeHint().width(), label->width()) << label->objectName().toStdString();
        }
        for (QPushButton* button : dialog.findChildren<QPushButton*>())
            EXPECT_LE(button->sizeHint().width(), button->width()) << button->objectName().toStdString();
        for (QGroupBox* box : dialog.findChildren<QGroupBox*>())
            EXPECT_LE(box->fontMetrics().horizontalAdvance(box->title()) + 16, box->width());
        dialog.hide();
    }
}

}  // namespace
