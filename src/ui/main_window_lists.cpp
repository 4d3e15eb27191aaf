#include "ui/main_window.h"

// SEAM(file lists): the add operations probe the file and store it in the list.
void TFormTest::_addSplitFile(const std::string&) {}
void TFormTest::_addMergeFile(const std::string&) {}
void TFormTest::_addMixFile(const std::string&) {}
