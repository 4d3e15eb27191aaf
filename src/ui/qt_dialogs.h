#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>

#include "base/application.h"
#include "ui/dialogs.h"

// The dialogs a user with a display sees: Qt message boxes, input and file
// dialogs, modal over the parent widget. Message boxes carry the application
// title as caption. The file choices remember the folder last chosen in any
// of them, so the next one opens there.
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent = nullptr, const QString& title = QString::fromLatin1(ApplicationName));

    // The window the dialogs are modal to; may be set once that window exists.
    void setParentWidget(QWidget* parent) { parent_ = parent; }

    using Dialogs::showMessage;
    void showMessage(const std::string& text, MessageKind kind) override;
    bool ask(const std::string& question) override;
    bool offerAction(const std::string& text, const std::string& actionCaption) override;
    bool askText(const std::string& caption, const std::string& prompt, bool masked, std::string& text) override;
    std::vector<std::string> chooseOpenFiles(const std::string& filter, bool several) override;
    std::string chooseSaveFile(const std::string& filter, const std::string& defaultExtension,
                               const std::string& proposedName) override;
    std::string chooseFolder(const std::string& startFolder) override;
    std::string choosePicture(const std::string& filter) override;

private:
    void rememberFolderOf(const QString& path);

    QPointer<QWidget> parent_;
    QString title_;
    QString lastFolder_;
};
