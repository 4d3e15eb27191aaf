#pragma once
#include "jobs/request_error.h"
#include "jobs/split_request.h"
#include "ui/job_tab.h"

class DestinationGroup;
class QCheckBox;
class Dialogs;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The Split tab: the file to split, the methods with their numbers, and
// where the files go.
class SplitTab : public JobTab {
    Q_OBJECT
public:
    SplitTab(Dialogs& dialogs, QWidget* parent);

    DestinationGroup& destination() const { return *destination_; }
    // The split the controls describe, without its input and protection. The
    // size field takes a decimal number of MB in the user's way of writing
    // it ("0.5" or "0,5").
    SplitRequest request() const;
    // The field a request error concerns, if it is one of this tab's.
    QLineEdit* fieldOf(RequestField field) const;
    QLineEdit* rangeListField() const { return rangeList_; }

private:
    void buildMethodGroup();
    // Typing into a method's field selects that method; emptying it changes nothing.
    void selectWhenFilled(QLineEdit* field, QRadioButton* method);
    QRadioButton* methodButton(SplitMethod method) const;

    QGroupBox* methodGroup_ = nullptr;
    QRadioButton* intoFilesOf_ = nullptr;
    QLineEdit* filesOfSize_ = nullptr;
    QLabel* pagesLabel_ = nullptr;
    QRadioButton* everyGroupOf_ = nullptr;
    QLineEdit* groupSize_ = nullptr;
    QLabel* groupLabel_ = nullptr;
    QLineEdit* groupStart_ = nullptr;
    QRadioButton* each_ = nullptr;
    QLineEdit* eachStep_ = nullptr;
    QLabel* eachLabel_ = nullptr;
    QLineEdit* eachStart_ = nullptr;
    QRadioButton* byRange_ = nullptr;
    QLineEdit* rangeList_ = nullptr;
    QLabel* rangeHelp_ = nullptr;
    QRadioButton* byBookmarks_ = nullptr;
    QLineEdit* bookmarkLevel_ = nullptr;
    QCheckBox* titleNames_ = nullptr;
    QRadioButton* bySize_ = nullptr;
    QLineEdit* sizeLimit_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    DestinationGroup* destination_ = nullptr;
};
