#include "ui/qt_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

#include "ui/file_filter.h"

namespace {

QString toQt(const std::string& text) { return QString::fromStdString(text); }

std::string fromQt(const QString& path) { return QDir::toNativeSeparators(path).toStdString(); }

// A picture dialog shows the picture under the cursor beside the file list.
void addPicturePreview(QFileDialog& dialog) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (grid == nullptr) return;
    auto* preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("picturePreview"));
    preview->setFixedSize(200, 200);
    preview->setAlignment(Qt::AlignCenter);
    preview->setFrameShape(QFrame::StyledPanel);
    grid->addWidget(preview, 1, grid->columnCount(), grid->rowCount() - 1, 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString& path) {
        const QPixmap picture(path);
        if (picture.isNull()) {
            preview->clear();
            return;
        }
        preview->setPixmap(picture.scaled(preview->size() - QSize(8, 8), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    });
}

// Wide enough that the title bar shows the whole caption, and centred on the
// screen while there is no window to stand over (a password asked for before
// the window opens).
void fitTitleAndCentre(QDialog& dialog) {
    QFont titleFont = dialog.font();
    titleFont.setBold(true);  // title bars often are, and a little wider than the dialog's own text
    const int titleBarButtons = 140;
    const int titleWidth = QFontMetrics(titleFont).horizontalAdvance(dialog.windowTitle()) * 6 / 5 + titleBarButtons;
    dialog.adjustSize();
    QScreen* screen = dialog.parentWidget() && dialog.parentWidget()->isVisible() ? dialog.parentWidget()->screen()
                                                                                 : QGuiApplication::primaryScreen();
    const QRect available = screen ? screen->availableGeometry() : QRect();
    int width = std::max(dialog.width(), titleWidth);
    if (available.isValid()) width = std::min(width, available.width());
    dialog.resize(width, dialog.height());
    if (available.isValid() && !(dialog.parentWidget() && dialog.parentWidget()->isVisible())) {
        QRect frame(QPoint(0, 0), dialog.size());
        frame.moveCenter(available.center());
        dialog.move(frame.topLeft());
    }
}

}  // namespace

QtDialogs::QtDialogs(QWidget* parent, const QString& title) : parent_(parent), title_(title) {}

void QtDialogs::showMessage(const std::string& text, MessageKind kind) {
    const QMessageBox::Icon icon = kind == MessageKind::Error     ? QMessageBox::Critical
                                   : kind == MessageKind::Warning ? QMessageBox::Warning
                                                                  : QMessageBox::Information;
    QMessageBox box(icon, title_, toQt(text), QMessageBox::Ok, parent_);
    box.exec();
}

bool QtDialogs::ask(const std::string& question) {
    QMessageBox box(QMessageBox::Question, title_, toQt(question), QMessageBox::Yes | QMessageBox::Cancel, parent_);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Yes;
}

bool QtDialogs::offerAction(const std::string& text, const std::string& actionCaption) {
    QMessageBox box(QMessageBox::Information, title_, toQt(text), QMessageBox::Ok, parent_);
    QPushButton* action = box.addButton(toQt(actionCaption), QMessageBox::ActionRole);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    return box.clickedButton() == action;
}

bool QtDialogs::askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) {
    QInputDialog dialog(parent_);
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(toQt(caption));
    dialog.setLabelText(toQt(prompt));
    dialog.setTextEchoMode(masked ? QLineEdit::Password : QLineEdit::Normal);
    if (auto* entry = dialog.findChild<QLineEdit*>(); masked && entry != nullptr)
        entry->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // typed characters show as "*"
    dialog.setTextValue(toQt(text));
    fitTitleAndCentre(dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    text = dialog.textValue().toStdString();
    return true;
}

std::vector<std::string> QtDialogs::chooseOpenFiles(const std::string& filter, bool several) {
    QFileDialog dialog(parent_, QString(), lastFolder_, toQt(qtFileFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(several ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted) return {};
    std::vector<std::string> files;
    for (const QString& file : dialog.selectedFiles()) files.push_back(fromQt(file));
    if (!files.empty()) rememberFolderOf(dialog.selectedFiles().front());
    return files;
}

std::string QtDialogs::chooseSaveFile(const std::string& filter, const std::string& defaultExtension,
                                      const std::string& proposedName) {
    QFileDialog dialog(parent_, QString(), lastFolder_, toQt(qtFileFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(toQt(defaultExtension));
    if (!proposedName.empty()) {
        const QFileInfo proposed(toQt(proposedName));
        if (proposed.isAbsolute() && proposed.dir().exists()) dialog.setDirectory(proposed.dir());
        dialog.selectFile(proposed.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().front();
    rememberFolderOf(chosen);
    return withDefaultExtension(fromQt(chosen), defaultExtension);
}

std::string QtDialogs::chooseFolder(const std::string& startFolder) {
    QFileDialog dialog(parent_);
    dialog.setFileMode(QFileDialog::Directory);
    // Qt's own dialog, read-only: it offers no way to make a new folder.
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog | QFileDialog::ReadOnly);
    if (auto* newFolder = dialog.findChild<QToolButton*>(QStringLiteral("newFolderButton"))) newFolder->hide();
    const QFileInfo start(toQt(startFolder));
    if (!startFolder.empty() && start.isDir()) dialog.setDirectory(start.absoluteFilePath());
    else if (!lastFolder_.isEmpty()) dialog.setDirectory(lastFolder_);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().front();
    lastFolder_ = chosen;
    return fromQt(chosen);
}

std::string QtDialogs::choosePicture(const std::string& filter) {
    QFileDialog dialog(parent_, QString(), lastFolder_, toQt(qtFileFilter(filter)));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    addPicturePreview(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    const QString chosen = dialog.selectedFiles().front();
    rememberFolderOf(chosen);
    return fromQt(chosen);
}

void QtDialogs::rememberFolderOf(const QString& path) { lastFolder_ = QFileInfo(path).absolutePath(); }
