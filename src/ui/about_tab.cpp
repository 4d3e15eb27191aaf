#include "ui/about_tab.h"

#include <QBoxLayout>
#include <QFont>
#include <QGridLayout>
#include <QLabel>
#include <QToolButton>

#include "base/application.h"
#include "ui/control_factory.h"
#include "ui/shell_open.h"
#include "ui/ui_icons.h"
#include "ui/widget_names.h"

using namespace controls;

namespace {

// The product's pages. A language file may give other addresses in the links' captions.
const QString websiteAddress = QString::fromUtf8(WebAddress);
const QString supportAddress = websiteAddress + QStringLiteral("/support");

QString anchor(const QString& address) {
    return QStringLiteral("<a href=\"%1\">%1</a>").arg(address);
}

QLabel* linkLabel(QWidget* parent, const char* name, const QString& address) {
    QLabel* link = label(parent, name, anchor(address));
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
    icon_ = label(this, widgetName::appIcon);
    icon_->setPixmap(applicationIcon().pixmap(64, 64));
    icon_->setAlignment(Qt::AlignCenter);
    title_ = label(this, widgetName::appName, QString::fromLatin1(ApplicationName));
    title_->setAlignment(Qt::AlignCenter);
    QFont titleFont = title_->font();
    titleFont.setPixelSize(30);
    title_->setFont(titleFont);
    aboutLine_ = label(this, widgetName::aboutLine);
    aboutLine_->setAlignment(Qt::AlignCenter);

    websiteCaption_ = label(this, widgetName::websiteCaption);
    websiteLink_ = linkLabel(this, widgetName::websiteLink, websiteAddress);
    supportCaption_ = label(this, widgetName::supportCaption);
    supportLink_ = linkLabel(this, widgetName::supportLink, supportAddress);
    // The captions end left of the middle, the links start right of them (the
    // other way round in a right-to-left window: a link's own text, an address,
    // reads left to right, so the layout places it beside its caption).
    auto* links = new QGridLayout;
    links->setHorizontalSpacing(12);
    links->setVerticalSpacing(10);
    links->addWidget(websiteCaption_, 0, 0, Qt::AlignRight);
    links->addWidget(websiteLink_, 0, 1, Qt::AlignLeft);
    links->addWidget(supportCaption_, 1, 0, Qt::AlignRight);
    links->addWidget(supportLink_, 1, 1, Qt::AlignLeft);
    links->setColumnStretch(0, 4);
    links->setColumnStretch(1, 6);

    lockedPicture_ = iconButton(this, widgetName::lockedPicture, QStringLiteral("locked"));
    unlockedPicture_ = iconButton(this, widgetName::unlockedPicture, QStringLiteral("unlocked"));
    lockedPicture_->setVisible(false);
    unlockedPicture_->setVisible(false);

    auto* whole = new QVBoxLayout(this);
    whole->setContentsMargins(16, 24, 16, 24);
    whole->setSpacing(12);
    whole->addWidget(icon_);
    whole->addWidget(title_);
    whole->addWidget(aboutLine_);
    whole->addSpacing(24);
    whole->addLayout(links);
    whole->addStretch();
}

void AboutTab::setTitle(const QString& nameAndVersion) { title_->setText(nameAndVersion); }

QIcon AboutTab::lockPicture(bool locked) const {
    return (locked ? lockedPicture_ : unlockedPicture_)->icon();
}
