#pragma once
#include <QWidget>
#include <stdexcept>
#include <string>

// A control of a window found by its object name, the name the language
// files use; a missing one fails the test with its name.
template <typename Control = QWidget>
Control* control(const QWidget& window, const char* name) {
    auto* found = window.findChild<Control*>(QString::fromLatin1(name));
    if (found == nullptr) throw std::logic_error(std::string("no control named ") + name);
    return found;
}
