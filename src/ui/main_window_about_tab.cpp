#include <QFont>
#include <QLabel>
#include <QToolButton>

#include "jobs/application.h"
#include "ui/control_factory.h"
#include "ui/main_window.h"

using namespace controls;

namespace {

// The product's pages. A language file may give other addresses in the links' captions.
const QString websiteAddress = QString::fromUtf8(WebAddress);
const QString supportAddress = websiteAddress + QStringLiteral("/support");

QString anchor(const QString& address) {
    return QStringLiteral("<a href=\"%1\">%1</a>").arg(address);
}

QLabel* linkLabel(QWidget* parent, const QString& name, const QString& address, int x, int y) {
    QLabel* link = label(parent, name, anchor(address), x, y, 480, 26);
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::TextBrowserInteraction);
    link->setOpenExternalLinks(false);  // the click handlers open the address
    return link;
}

}  // namespace

void TFormTest::_buildAboutTab() {
    QWidget* tab = TabAbout;
    const int width = PageControl1->width() - 4;
    label_app_name = label(tab, "label_app_name", ApplicationName, 0, 56, width, 52);
    label_app_name->setAlignment(Qt::AlignCenter);
    QFont titleFont = label_app_name->font();
    titleFont.setPixelSize(30);
    label_app_name->setFont(titleFont);

    ab_lb3 = label(tab, "ab_lb3", "Split, merge and mix the pages of your PDF files.", 0, 124, width, 26);
    ab_lb3->setAlignment(Qt::AlignCenter);

    const int captionRight = width / 2 - 100;  // the captions end here, the links start after a gap
    ab_lb4a = label(tab, "ab_lb4a", "Website:", captionRight - 200, 190, 200, 26);
    ab_lb4a->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    link_website = linkLabel(tab, "link_website", websiteAddress, captionRight + 12, 190);

    ab_lb5a = label(tab, "ab_lb5a", "Support:", captionRight - 200, 226, 200, 26);
    ab_lb5a->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LinkLabel1 = linkLabel(tab, "LinkLabel1", supportAddress, captionRight + 12, 226);

    // They hold the two pictures of the settings button.
    glyphLocked = iconButton(tab, "glyphLocked", "locked", QString(), 16, 16, 32, 32);
    glyphUnlocked = iconButton(tab, "glyphUnlocked", "unlocked", QString(), 56, 16, 32, 32);
    glyphLocked->setVisible(false);
    glyphUnlocked->setVisible(false);
}
