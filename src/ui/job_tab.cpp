#include "ui/job_tab.h"

JobTab::JobTab(QWidget* parent) : QWidget(parent) {}
