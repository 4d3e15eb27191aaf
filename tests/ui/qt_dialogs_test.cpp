#include "ui/qt_dialogs.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QSignalSpy>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

#include "qt_application.h"
#include "support/fixtures.h"
#include "ui/settings_form.h"

namespace {

// Runs `answer` on the next modal dialog once it is open. The answer must
// close the dialog; a dialog it left open is cancelled so the test ends.
void whenDialogOpens(std::function<void(QDialog&)> answer) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, answer] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) return;
        timer->stop();
        timer->deleteLater();
        answer(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    timer->start();
}

void touch(const std::string& path) { std::ofstream(path) << "x"; }

// Chooses as a user would: types the name into the dialog's name field once
// the folder has been read (Qt reads folders in the background), then OK.
void chooseIn(QDialog& dialog, const std::string& folder, const QString& name) {
    auto& files = dynamic_cast<QFileDialog&>(dialog);
    QSignalSpy loaded(files.findChild<QFileSystemModel*>(), &QFileSystemModel::directoryLoaded);
    if (!folder.empty()) files.setDirectory(QString::fromStdString(folder));
    while (loaded.wait(100)) {
    }
    files.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    dialog.accept();  // QFileDialog::accept checks the selection
}

class QtDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { ensureQtApplication(); }
    QtDialogs dialogs;
    fixtures::TempDir dir;
};

TEST_F(QtDialogsTest, MessageBoxIsCaptionedWithTheApplicationTitleAndHasOneOkButton) {
    QString title, text;
    int buttons = 0;
    whenDialogOpens([&](QDialog& dialog) {
        auto& box = dynamic_cast<QMessageBox&>(dialog);
        title = box.windowTitle();
        text = box.text();
        buttons = static_cast<int>(box.buttons().size());
        box.button(QMessageBox::Ok)->click();
    });
    dialogs.showMessage("Merge done: 12 pages");
    EXPECT_EQ(title, "Splimera");
    EXPECT_EQ(text, "Merge done: 12 pages");
    EXPECT_EQ(buttons, 1);
}

TEST_F(QtDialogsTest, TextPromptMasksOnRequestAndReportsCancel) {
    struct Case {
        bool masked;
        bool accept;
        QLineEdit::EchoMode expectedEcho;
        std::string expectedText;
    };
    const Case cases[] = {{true, true, QLineEdit::Password, "pässwort"}, {false, false, QLineEdit::Normal, "before"}};
    for (const Case& c : cases) {
        QString caption, prompt;
        QLineEdit::EchoMode echo = QLineEdit::NoEcho;
        int maskCharacter = 0;
        whenDialogOpens([&](QDialog& dialog) {
            auto& input = dynamic_cast<QInputDialog&>(dialog);
            caption = input.windowTitle();
            prompt = input.labelText();
            echo = input.textEchoMode();
            if (auto* entry = input.findChild<QLineEdit*>(); entry && echo == QLineEdit::Password)
                maskCharacter = entry->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, entry);
            input.setTextValue(QString::fromUtf8("pässwort"));
            if (c.accept) input.accept();
        });
        std::string text = "before";
        EXPECT_EQ(dialogs.askText("Enter password", "Password", c.masked, text), c.accept);
        EXPECT_EQ(caption, "Enter password");
        EXPECT_EQ(prompt, "Password");
        EXPECT_EQ(echo, c.expectedEcho);
        EXPECT_EQ(maskCharacter, c.masked ? '*' : 0);
        EXPECT_EQ(text, c.expectedText);
    }
}

TEST_F(QtDialogsTest, OpenDialogTakesSeveralPdfFilesWhenAsked) {
    touch(dir.file("a.pdf"));
    touch(dir.file("b.pdf"));
    for (const bool several : {true, false}) {
        QFileDialog::FileMode mode{};
        QStringList filters;
        whenDialogOpens([&](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            mode = files.fileMode();
            filters = files.nameFilters();
            chooseIn(dialog, dir.path(), QStringLiteral("a.pdf"));
        });
        const auto chosen = dialogs.chooseOpenFiles("PDF file|*.pdf", several);
        EXPECT_EQ(mode, several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
        EXPECT_EQ(filters, QStringList{"PDF file (*.pdf)"});
        EXPECT_EQ(chosen, std::vector<std::string>({dir.file("a.pdf")}));
    }
}

TEST_F(QtDialogsTest, SaveDialogProposesTheNameAndAddsTheDefaultExtension) {
    const std::string folder = dir.file("out");
    std::filesystem::create_directory(folder);
    QString proposedFolder, proposedName;
    whenDialogOpens([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        proposedFolder = files.directory().absolutePath();
        proposedName = QFileInfo(files.selectedFiles().value(0)).fileName();
        chooseIn(dialog, "", QStringLiteral("merged"));
    });
    EXPECT_EQ(dialogs.chooseSaveFile("PDF file|*.pdf", "pdf", folder + "/output.pdf"), folder + "/merged.pdf");
    EXPECT_EQ(proposedFolder.toStdString(), folder);
    EXPECT_EQ(proposedName, "output.pdf");
}

TEST_F(QtDialogsTest, FolderDialogStartsInAnExistingFolderAndOffersNoNewFolder) {
    std::filesystem::create_directory(dir.file("start"));
    std::filesystem::create_directory(dir.file("start/inner"));
    struct Case {
        std::string start;
        bool startsThere;
    };
    const Case cases[] = {{dir.file("start"), true}, {dir.file("missing"), false}};
    for (const Case& c : cases) {
        QString shownFolder;
        bool newFolderOffered = true, dirsOnly = false;
        whenDialogOpens([&](QDialog& dialog) {
            auto& files = dynamic_cast<QFileDialog&>(dialog);
            shownFolder = files.directory().absolutePath();
            dirsOnly = files.testOption(QFileDialog::ShowDirsOnly);
            auto* button = files.findChild<QToolButton*>(QStringLiteral("newFolderButton"));
            newFolderOffered = button != nullptr && button->isVisible() && button->isEnabled();
            chooseIn(dialog, dir.file("start"), QStringLiteral("inner"));
        });
        EXPECT_EQ(dialogs.chooseFolder(c.start), dir.file("start/inner"));
        EXPECT_EQ(shownFolder.toStdString() == c.start, c.startsThere) << c.start;
        EXPECT_TRUE(dirsOnly);
        EXPECT_FALSE(newFolderOffered);
    }
}

TEST_F(QtDialogsTest, PictureDialogListsTheReadablePictureFormatsWithAPreview) {
    touch(dir.file("mark.png"));
    QStringList filters;
    bool hasPreview = false;
    whenDialogOpens([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        filters = files.nameFilters();
        hasPreview = files.findChild<QLabel*>(QStringLiteral("picturePreview")) != nullptr;
        chooseIn(dialog, dir.path(), QStringLiteral("mark.png"));
    });
    EXPECT_EQ(dialogs.choosePicture(TsettingsForm::pictureFilter), dir.file("mark.png"));
    EXPECT_EQ(filters, QStringList{"Pictures (PNG, JPEG) (*.png *.jpg *.jpeg)"});
    EXPECT_TRUE(hasPreview);
}

TEST_F(QtDialogsTest, CancelledChoicesAnswerEmpty) {
    whenDialogOpens([](QDialog& dialog) { dialog.reject(); });
    EXPECT_TRUE(dialogs.chooseOpenFiles("PDF file|*.pdf", true).empty());
    whenDialogOpens([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.chooseSaveFile("PDF file|*.pdf", "pdf", "output.pdf"), "");
    whenDialogOpens([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.chooseFolder(dir.path()), "");
    whenDialogOpens([](QDialog& dialog) { dialog.reject(); });
    EXPECT_EQ(dialogs.choosePicture("Pictures|*.png"), "");
}

}  // namespace
