#pragma once
#include <QGroupBox>

#include "jobs/mix_request.h"
#include "jobs/request_error.h"
#include "ui/job_tab.h"
#include "ui/widget_names.h"

class DestinationGroup;
class BookmarkChoice;
class Dialogs;
class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QRadioButton;

// One document's method group of the Mix tab: "Every group of" or "Each",
// each with a count and a start page.
class MixMethodGroup : public QGroupBox {
    Q_OBJECT
public:
    MixMethodGroup(const MixMethodNames& names, const MixMethodFields& initial, QWidget* parent);

    MixMethodFields fields() const;
    // The field of the chosen method that holds its count, or its start page.
    QLineEdit* countField() const;
    QLineEdit* startField() const;
    // A control placed under the two methods.
    void addRow(QWidget* control);

private:
    QGridLayout* rows_;
    QRadioButton* groupMethod_;
    QLineEdit* groupCount_;
    QLabel* groupLabel_;
    QLineEdit* groupStart_;
    QRadioButton* eachMethod_;
    QLineEdit* eachCount_;
    QLabel* eachLabel_;
    QLineEdit* eachStart_;
};

// The Mix tab: the two documents, how each is cut into turns, and where the
// mixed files go.
class MixTab : public JobTab {
    Q_OBJECT
public:
    MixTab(Dialogs& dialogs, QWidget* parent);

    DestinationGroup& destination() const { return *destination_; }
    // The mix the controls describe, without its inputs and protection.
    MixRequest request() const;
    // The field a request error concerns.
    QLineEdit* fieldOf(RequestField field) const;
    QCheckBox* singleFileBox() const { return singleFile_; }

private:
    QGroupBox* methodGroup_ = nullptr;  // holds the two documents' groups
    MixMethodGroup* firstMethod_ = nullptr;
    MixMethodGroup* secondMethod_ = nullptr;
    QCheckBox* reverseSecond_ = nullptr;
    DestinationGroup* destination_ = nullptr;
    QCheckBox* singleFile_ = nullptr;
    BookmarkChoice* bookmarks_ = nullptr;
};
