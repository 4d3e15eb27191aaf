#include "ui/protection_dialog.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShowEvent>
#include <QVBoxLayout>
#include <exception>

#include "base/protection.h"
#include "settings/settings.h"
#include "ui/application_error.h"
#include "ui/built_in_english.h"
#include "ui/language_look.h"
#include "ui/message_text.h"
#include "ui/widget_names.h"

namespace {

// Segoe UI at 13 pixels where that family exists, the system's font at the same size elsewhere.
QFont dialogFont() {
    QFont font = QApplication::font();
    const QString segoe = QStringLiteral("Segoe UI");
    if (QFontDatabase::families().contains(segoe, Qt::CaseInsensitive)) font.setFamily(segoe);
    font.setPixelSize(13);
    return font;
}

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* wrappedLabel(const char* name, QWidget* parent) {
    auto* label = named(new QLabel(builtInEnglish(name), parent), name);
    label->setWordWrap(true);
    return label;
}

QLineEdit* passwordField(const char* name, QWidget* parent) {
    auto* field = named(new QLineEdit(parent), name);
    field->setEchoMode(QLineEdit::Password);
    field->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));  // typed characters show as "*"
    return field;
}

QLineEdit* positionField(const char* name, QWidget* parent) {
    auto* field = named(new QLineEdit(QString::fromLatin1(DefaultWatermarkPosition), parent), name);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), field));
    field->setFixedWidth(64);
    field->setAlignment(Qt::AlignRight);
    return field;
}

void setCaption(QLabel* label, const std::string& text) { label->setText(QString::fromStdString(text)); }
void setCaption(QPushButton* button, const std::string& text) { button->setText(QString::fromStdString(text)); }
void setCaption(QGroupBox* group, const std::string& text) { group->setTitle(QString::fromStdString(text)); }

}  // namespace

ProtectionDialog::ProtectionDialog(Protection& settings, Translate translate, WriteSetting writeSetting,
                             Dialogs& dialogs, ShowLocked showLocked, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      settings_(settings),
      translate_(std::move(translate)),
      writeSetting_(std::move(writeSetting)),
      dialogs_(dialogs),
      showLocked_(std::move(showLocked)) {
    setObjectName(QString::fromLatin1(widgetName::protectionDialog));
    setWindowTitle(builtInEnglish(messageKey::protectionTitle));
    setModal(true);
    setFont(dialogFont());
    buildControls();
    arrangeControls();
    setFixedSize(891, 294);

    connect(watermarkBrowse_, &QPushButton::clicked, this, [this] { chooseWatermark(); });
    connect(watermarkReset_, &QPushButton::clicked, this, [this] { showWatermarkPath(QString()); });
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(okButton_, &QPushButton::clicked, this, [this] { okClicked(); });
}

void ProtectionDialog::buildControls() {
    passwordGroup_ = named(new QGroupBox(builtInEnglish(widgetName::passwordGroup), this), widgetName::passwordGroup);
    passwordIntro_ = wrappedLabel(widgetName::passwordIntro, passwordGroup_);
    passwordLabel_ = named(new QLabel(builtInEnglish(widgetName::passwordLabel), passwordGroup_), widgetName::passwordLabel);
    passwordField_ = passwordField(widgetName::passwordField, passwordGroup_);
    confirmLabel_ = named(new QLabel(builtInEnglish(widgetName::confirmLabel), passwordGroup_), widgetName::confirmLabel);
    confirmField_ = passwordField(widgetName::confirmField, passwordGroup_);
    passwordLabel_->setBuddy(passwordField_);
    confirmLabel_->setBuddy(confirmField_);

    watermarkGroup_ = named(new QGroupBox(builtInEnglish(widgetName::watermarkGroup), this), widgetName::watermarkGroup);
    watermarkIntro_ = wrappedLabel(widgetName::watermarkIntro, watermarkGroup_);
    watermarkPath_ = named(new QLineEdit(watermarkGroup_), widgetName::watermarkPath);
    watermarkPath_->setReadOnly(true);
    watermarkPath_->setLayoutDirection(Qt::LeftToRight);  // a path, also in a right-to-left window
    // Shown in the menu colour, so it reads as a value rather than a field to type in.
    QPalette pathPalette = watermarkPath_->palette();
    pathPalette.setColor(QPalette::Base, pathPalette.color(QPalette::Window));
    watermarkPath_->setPalette(pathPalette);
    watermarkBrowse_ = named(new QPushButton(builtInEnglish(widgetName::watermarkBrowse), watermarkGroup_), widgetName::watermarkBrowse);
    watermarkReset_ = named(new QPushButton(builtInEnglish(widgetName::watermarkReset), watermarkGroup_), widgetName::watermarkReset);
    positionLabel_ = wrappedLabel(widgetName::positionLabel, watermarkGroup_);
    positionX_ = positionField(widgetName::positionX, watermarkGroup_);
    positionY_ = positionField(widgetName::positionY, watermarkGroup_);

    cancelButton_ = named(new QPushButton(builtInEnglish(widgetName::cancelButton), this), widgetName::cancelButton);
    okButton_ = named(new QPushButton(builtInEnglish(widgetName::okButton), this), widgetName::okButton);
    QFont bold = okButton_->font();
    bold.setBold(true);
    okButton_->setFont(bold);
    okButton_->setDefault(true);
    for (QPushButton* button : {watermarkBrowse_, watermarkReset_, cancelButton_, okButton_}) button->setMinimumWidth(96);
}

void ProtectionDialog::arrangeControls() {
    auto* passwordFields = new QGridLayout;
    passwordFields->setHorizontalSpacing(12);
    passwordFields->addWidget(passwordLabel_, 0, 0);
    passwordFields->addWidget(passwordField_, 0, 1);
    passwordFields->addWidget(confirmLabel_, 1, 0);
    passwordFields->addWidget(confirmField_, 1, 1);
    passwordFields->setColumnStretch(1, 1);
    auto* password = new QVBoxLayout(passwordGroup_);
    password->setSpacing(12);
    password->addWidget(passwordIntro_);
    password->addLayout(passwordFields);
    password->addStretch();

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(watermarkPath_, 1);
    pathRow->addWidget(watermarkBrowse_);
    pathRow->addWidget(watermarkReset_);
    auto* positionRow = new QHBoxLayout;
    positionRow->addWidget(positionLabel_, 1);
    positionRow->addWidget(positionX_);
    positionRow->addWidget(positionY_);
    auto* watermark = new QVBoxLayout(watermarkGroup_);
    watermark->setSpacing(12);
    watermark->addWidget(watermarkIntro_);
    watermark->addLayout(pathRow);
    watermark->addLayout(positionRow);
    watermark->addStretch();

    auto* groups = new QHBoxLayout;
    groups->setSpacing(12);
    groups->addWidget(passwordGroup_, 1);
    groups->addWidget(watermarkGroup_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancelButton_);
    buttons->addWidget(okButton_);
    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(12, 12, 12, 12);
    whole->setSpacing(12);
    whole->addLayout(groups, 1);
    whole->addLayout(buttons);
}

void ProtectionDialog::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        loadValues();
        // Centred over the window again on every showing, not only the first.
        setAttribute(Qt::WA_Moved, false);
    }
    QDialog::showEvent(event);
}

void ProtectionDialog::loadValues() {
    const QString password = QString::fromStdString(settings_.outputPassword);
    passwordField_->setText(password);
    confirmField_->setText(password);
    showWatermarkPath(QString::fromStdString(settings_.watermarkPath));
    if (!settings_.watermarkX.empty()) positionX_->setText(QString::fromStdString(settings_.watermarkX));
    if (!settings_.watermarkY.empty()) positionY_->setText(QString::fromStdString(settings_.watermarkY));

    // The language's script font after the dialog's own, as the window has it.
    QFont font = dialogFont();
    const QStringList scriptFamilies =
        windowFont(QString::fromStdString(translate_(messageText::languageCode.key))).families().mid(1);
    if (!scriptFamilies.isEmpty()) font.setFamilies(QStringList{font.family()} + scriptFamilies);
    setFont(font);

    // A key the language lacks gives an empty caption.
    setCaption(passwordLabel_, translate_(widgetName::passwordLabel));
    setCaption(confirmLabel_, translate_(widgetName::confirmLabel));
    setCaption(okButton_, translate_(widgetName::okButton));
    setCaption(cancelButton_, translate_(widgetName::cancelButton));
    setCaption(passwordIntro_, translate_(messageKey::passwordIntro));
    setWindowTitle(QString::fromStdString(translate_(messageKey::protectionTitle)));
    setCaption(watermarkGroup_, translate_(widgetName::watermarkGroup));
    setCaption(passwordGroup_, translate_(widgetName::passwordGroup));
    setCaption(watermarkIntro_, translate_(widgetName::watermarkIntro));
    setCaption(watermarkBrowse_, translate_(widgetName::watermarkBrowse));
    setCaption(watermarkReset_, translate_(widgetName::watermarkReset));
    setCaption(positionLabel_, translate_(widgetName::positionLabel));
    // What a screen reader calls the fields without a label of their own.
    watermarkPath_->setAccessibleName(watermarkGroup_->title());
    positionX_->setAccessibleName(positionLabel_->text() + QStringLiteral(": X"));
    positionY_->setAccessibleName(positionLabel_->text() + QStringLiteral(": Y"));
}

bool ProtectionDialog::storeValues() {
    const std::string password = passwordField_->text().toStdString();
    if (password != confirmField_->text().toStdString()) {
        dialogs_.showMessage(textOf(messageText::passwordsDiffer, translate_));
        return false;
    }
    // Refused here as the jobs would refuse it, before it is stored.
    if (const std::string problem = outputPasswordProblem(password); !problem.empty()) {
        dialogs_.showMessage(problem, MessageKind::Warning);
        return false;
    }
    writeSetting_(Settings::OutputPasswordName, password);
    settings_.outputPassword = password;
    showLocked_(!password.empty());
    const std::string path = watermarkPath_->text().toStdString();
    const std::string x = positionX_->text().toStdString();
    const std::string y = positionY_->text().toStdString();
    writeSetting_(Settings::WatermarkPathName, path);
    writeSetting_(Settings::WatermarkXName, x);
    writeSetting_(Settings::WatermarkYName, y);
    settings_.watermarkPath = path;
    settings_.watermarkX = x;
    settings_.watermarkY = y;
    return true;
}

void ProtectionDialog::okClicked() {
    // A write the store refused is reported and the dialog stays open, so
    // that what the user typed is still there to try again or to cancel.
    // Passwords that differ keep it open too, with everything typed.
    try {
        if (!storeValues()) return;
    } catch (const std::exception& error) {
        dialogs_.showMessage(applicationErrorText(error.what()), MessageKind::Error);
        return;
    }
    if (const std::string note = Settings::takeNote(); !note.empty()) dialogs_.showMessage(note, MessageKind::Information);
    accept();
}

void ProtectionDialog::chooseWatermark() {
    const std::string chosen = dialogs_.choosePicture(pictureFilter);
    if (!chosen.empty()) showWatermarkPath(QString::fromStdString(chosen));
}

// A long path shows its end, the picture's name, and the whole of it as a tip.
void ProtectionDialog::showWatermarkPath(const QString& path) {
    watermarkPath_->setText(path);
    watermarkPath_->setToolTip(path);
}
