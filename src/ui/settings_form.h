#pragma once
#include <QDialog>
#include <functional>
#include <string>

#include "ui/dialogs.h"
#include "finishing/protection.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The protection settings dialog: the output password and the watermark
// picture with its position. It edits the window's protection values
// through a reference and stores them through a setting writer only on OK;
// Cancel and the close box store nothing.
class TsettingsForm : public QDialog {
    Q_OBJECT
public:
    using Translate = std::function<std::string(const std::string& key)>;
    // Stores one named setting; throws when the store refuses the write.
    using WriteSetting = std::function<void(const std::string& name, const std::string& value)>;
    // Gives the window's settings button its locked or unlocked picture.
    using ShowLocked = std::function<void(bool locked)>;

    // The picture formats the watermark finishing reads.
    static constexpr const char* pictureFilter = "Pictures (PNG, JPEG)|*.png;*.jpg;*.jpeg";

    TsettingsForm(Protection& settings, Translate translate, WriteSetting writeSetting, Dialogs& dialogs,
                  ShowLocked showLocked, QWidget* parent = nullptr);

    // Loads the fields from the window's values and the captions from the translations.
    void FormShow();
    // Stores what the dialog holds; a failing write throws and stops the later steps.
    void Command2Click();
    void cmd_select_watermarkClick();
    void cmd_no_watermarkClick();

    QGroupBox* groupBoxPassword;
    QLabel* SettingsIntro;
    QLabel* LabelPass;
    QLineEdit* passwordEdit1;
    QLabel* LabelPassConfirm;
    QLineEdit* passwordEdit2;
    QGroupBox* groupBoxWatermark;
    QLabel* watemarkIntro;
    QLineEdit* editWatermarkPath;
    QPushButton* cmd_select_watermark;
    QPushButton* cmd_no_watermark;
    QLabel* labelPosition;
    QLineEdit* editWatermarkX;
    QLineEdit* editWatermarkY;
    QPushButton* Command3;
    QPushButton* Command2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void arrangeControls();
    void okClicked();
    void showWatermarkPath(const QString& path);

    Protection& settings_;
    Translate translate_;
    WriteSetting writeSetting_;
    Dialogs& dialogs_;
    ShowLocked showLocked_;
};
