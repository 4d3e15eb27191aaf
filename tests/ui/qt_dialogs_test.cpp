#include "ui/qt_dialogs.h"

#include <QCoreApplication>
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
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <QScreen>
#include <memory>
#include <utility>

#include "qt_application.h"
#include "support/fixtures.h"
#include "ui/protection_dialog.h"

namespace {

// The folders that the file dialog last shown has finished reading: its file
// system model reads each in a background thread and signals when it is done.
std::unique_ptr<QSignalSpy> foldersRead;

// Answers the next dialog shown. The answer runs in the dialog's own event
// loop and must close the dialog; a dialog it left open is cancelled so that the
// test ends. Catching the dialog as it is shown, before its event loop runs,
// makes sure no signal of its model is missed.
class NextDialog : public QObject {
public:
    explicit NextDialog(std::function<void(QDialog&)> answer) : answer_(std::move(answer)) {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* dialog = qobject_cast<QDialog*>(watched);
        if (dialog == nullptr || event->type() != QEvent::Show) return false;
        QCoreApplication::instance()->removeEventFilter(this);
        if (auto* model = dialog->findChild<QFileSystemModel*>())
            foldersRead = std::make_unique<QSignalSpy>(model, &QFileSystemModel::directoryLoaded);
        QTimer::singleShot(0, dialog, [this, dialog] {
            answer_(*dialog);
            if (dialog->isVisible()) dialog->reject();
            deleteLater();
        });
        return false;
    }

private:
    std::function<void(QDialog&)> answer_;
};

void whenDialogOpens(std::function<void(QDialog&)> answer) { new NextDialog(std::move(answer)); }

void touch(const std::string& path) { std::ofstream(path) << "x"; }

// Chooses as a user would: types the name into the dialog's name field once
// the dialog has read the folder it shows, then OK.
void chooseIn(QDialog& dialog, const std::string& folder, const QString& name) {
    auto& files = dynamic_cast<QFileDialog&>(dialog);
    if (!folder.empty()) files.setDirectory(QString::fromStdString(folder));
    const QString shown = files.directory().absolutePath();
    const auto wasRead = [&] {
        return std::any_of(foldersRead->cbegin(), foldersRead->cend(),
                           [&](const QList<QVariant>& signal) { return signal.value(0).toString() == shown; });
    };
    while (!wasRead()) {
        ASSERT_TRUE(foldersRead->wait(10000)) << "the dialog never read " << shown.toStdString();
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

TEST_F(QtDialogsTest, MessagesShowTheIconOfTheirKindAndQuestionsTellTheAnswer) {
    const std::pair<MessageKind, QMessageBox::Icon> kinds[] = {{MessageKind::Information, QMessageBox::Information},
                                                               {MessageKind::Warning, QMessageBox::Warning},
                                                               {MessageKind::Error, QMessageBox::Critical}};
    for (const auto& [kind, icon] : kinds) {
        QMessageBox::Icon shown = QMessageBox::NoIcon;
        whenDialogOpens([&](QDialog& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            shown = box.icon();
            box.button(QMessageBox::Ok)->click();
        });
        dialogs.showMessage("text", kind);
        EXPECT_EQ(shown, icon);
    }

    for (const QMessageBox::StandardButton answer : {QMessageBox::Yes, QMessageBox::Cancel}) {
        whenDialogOpens([&](QDialog& dialog) { dynamic_cast<QMessageBox&>(dialog).button(answer)->click(); });
        EXPECT_EQ(dialogs.ask("Replace them?"), answer == QMessageBox::Yes);
    }

    for (const bool chooseAction : {true, false}) {
        QString caption;
        whenDialogOpens([&](QDialog& dialog) {
            auto& box = dynamic_cast<QMessageBox&>(dialog);
            QAbstractButton* action = box.buttons().value(0) == box.button(QMessageBox::Ok) ? box.buttons().value(1)
                                                                                           : box.buttons().value(0);
            caption = action->text();
            (chooseAction ? action : box.button(QMessageBox::Ok))->click();
        });
        EXPECT_EQ(dialogs.offerAction("Wrote 2 files", "Open folder"), chooseAction);
        EXPECT_EQ(caption, "Open folder");
    }
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

// Asked before the window shows, the prompt stands in the middle of the
// screen, wide enough for its whole title.
TEST_F(QtDialogsTest, APromptWithoutAVisibleWindowIsCentredWithItsWholeTitle) {
    QWidget hiddenWindow;
    hiddenWindow.setGeometry(0, 0, 300, 200);
    QtDialogs beforeTheWindow(&hiddenWindow, QStringLiteral("Splimera"));
    const QString title = QStringLiteral("Enter the document password of a rather long file name.pdf");
    QRect shown;
    int titleWidth = 0;
    whenDialogOpens([&](QDialog& dialog) {
        shown = dialog.geometry();
        titleWidth = dialog.fontMetrics().horizontalAdvance(dialog.windowTitle());
    });
    std::string text;
    beforeTheWindow.askText(title.toStdString(), "Password", true, text);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((shown.center() - screen.center()).manhattanLength(), 4) << "centred";
    EXPECT_GT(shown.width(), titleWidth + 100) << "room for the title and the title bar's buttons";
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
    bool confirmsReplacing = false;
    whenDialogOpens([&](QDialog& dialog) {
        auto& files = dynamic_cast<QFileDialog&>(dialog);
        confirmsReplacing = !files.testOption(QFileDialog::DontConfirmOverwrite);
        proposedFolder = files.directory().absolutePath();
        proposedName = QFileInfo(files.selectedFiles().value(0)).fileName();
        chooseIn(dialog, "", QStringLiteral("merged"));
    });
    EXPECT_EQ(dialogs.chooseSaveFile("PDF file|*.pdf", "pdf", folder + "/output.pdf"), folder + "/merged.pdf");
    EXPECT_EQ(proposedFolder.toStdString(), folder);
    EXPECT_EQ(proposedName, "output.pdf");
    EXPECT_TRUE(confirmsReplacing) << "the dialog asks before an existing file is chosen";
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
    EXPECT_EQ(dialogs.choosePicture(ProtectionDialog::pictureFilter), dir.file("mark.png"));
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
