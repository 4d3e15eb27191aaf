#pragma once
#include <QDialog>
#include <functional>
#include <string>

#include "base/protection.h"
#include "ui/dialogs.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The protection settings dialog: the output password and the watermark
// picture with its position. It edits the window's protection values
// through a reference and stores them through a setting writer only on OK;
// Cancel and the close box store nothing; passwords that differ store
// nothing and keep the dialog open.
class ProtectionDialog : public QDialog {
    Q_OBJECT
public:
    using Translate = std::function<std::string(const std::string& key)>;
    // Stores one named setting; throws when the store refuses the write.
    using WriteSetting = std::function<void(const std::string& name, const std::string& value)>;
    // Gives the window's settings button its locked or unlocked picture.
    using ShowLocked = std::function<void(bool locked)>;

    // The picture formats the watermark finishing reads.
    static constexpr const char* pictureFilter = "Pictures (PNG, JPEG)|*.png;*.jpg;*.jpeg";

    ProtectionDialog(Protection& settings, Translate translate, WriteSetting writeSetting, Dialogs& dialogs,
                     ShowLocked showLocked, QWidget* parent = nullptr);

    // What OK does before the dialog closes: stores what the dialog holds,
    // unless the two password fields differ (false, and the user is told). A
    // failing write throws and stops the later steps.
    bool storeValues();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void arrangeControls();
    // Loads the fields from the window's values and the captions from the translations.
    void loadValues();
    void okClicked();
    void chooseWatermark();
    void showWatermarkPath(const QString& path);

    Protection& settings_;
    Translate translate_;
    WriteSetting writeSetting_;
    Dialogs& dialogs_;
    ShowLocked showLocked_;

    QGroupBox* passwordGroup_;
    QLabel* passwordIntro_;
    QLabel* passwordLabel_;
    QLineEdit* passwordField_;
    QLabel* confirmLabel_;
    QLineEdit* confirmField_;
    QGroupBox* watermarkGroup_;
    QLabel* watermarkIntro_;
    QLineEdit* watermarkPath_;
    QPushButton* watermarkBrowse_;
    QPushButton* watermarkReset_;
    QLabel* positionLabel_;
    QLineEdit* positionX_;
    QLineEdit* positionY_;
    QPushButton* cancelButton_;
    QPushButton* okButton_;
};
