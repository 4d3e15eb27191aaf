#pragma once
#include <functional>
#include <initializer_list>
#include <string>

#include "ui/widget_names.h"

// The text of a message in the user's language, or its built-in English when
// the language lacks it, with "%1", "%2", ... replaced by the arguments in order.
std::string textOf(const MessageText& text, const std::function<std::string(const std::string& key)>& translate,
                   std::initializer_list<std::string> arguments = {});
