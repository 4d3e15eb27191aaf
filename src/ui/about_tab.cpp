#include "ui/about_tab.h"

#include <QFont>
#include <QLabel>
#include <QToolButton>

#include "jobs/application.h"
#include "ui/control_factory.h"
#include "ui/shell_open.h"
#include "ui/widget_names.h"

using namespace controls;

namespace {

// The product's pages. A language file may give other addresses in the links' captions.
const QString websiteAddress = QString::fromUtf8(WebAddress);
const QString supportAddress = websiteAddress + QStringLiteral("/support");

// The width of the tab page inside the tab set.
constexpr int pageWidth = 1065 - 4;

QString anchor(const QString& address) {
    return QStringLiteral("<a href=\"%1\">%1</a>").arg(address);
}

QLabel* linkLabel(QWidget* parent, const char* name, const QString& address, int x, int y) {
    QLabel* link = label(parent, name, anchor(address), x, y, 480, 26);
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(false);  // a click opens the address the link holds
    QObject::connect(link, &QLabel::linkActivated, link,
                     [](const QString& target) { openOnDesktop(target.toStdString()); });
    return link;
}

}  // namespace

AboutTab::AboutTab(QWidget* parent) : QWidget(parent) {
    setObjectName(QString::fromLatin1(widgetName::aboutTab));
    title_ = label(this, widgetName::appName, ApplicationName, 0, 56, pageWidth, 52);
    title_->setAlignment(Qt::AlignCenter);
    QFont titleFont = title_->font();
    titleFont.setPixelSize(30);
    title_->setFont(titleFont);

    aboutLine_ =
        label(this, widgetName::aboutLine, "Split, merge and mix the pages of your PDF files.", 0, 124, pageWidth, 26);
    aboutLine_->setAlignment(Qt::AlignCenter);

    const int captionRight = pageWidth / 2 - 100;  // the captions end here, the links start after a gap
    websiteCaption_ = label(this, widgetName::websiteCaption, "Website:", captionRight - 200, 190, 200, 26);
    websiteCaption_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    websiteLink_ = linkLabel(this, widgetName::websiteLink, websiteAddress, captionRight + 12, 190);

    supportCaption_ = label(this, widgetName::supportCaption, "Support:", captionRight - 200, 226, 200, 26);
    supportCaption_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    supportLink_ = linkLabel(this, widgetName::supportLink, supportAddress, captionRight + 12, 226);

    lockedPicture_ = iconButton(this, widgetName::lockedPicture, "locked", QString(), 16, 16, 32, 32);
    unlockedPicture_ = iconButton(this, widgetName::unlockedPicture, "unlocked", QString(), 56, 16, 32, 32);
    lockedPicture_->setVisible(false);
    unlockedPicture_->setVisible(false);
}

void AboutTab::setTitle(const QString& nameAndVersion) { title_->setText(nameAndVersion); }

QIcon AboutTab::lockPicture(bool locked) const {
    return (locked ? lockedPicture_ : unlockedPicture_)->icon();
}
