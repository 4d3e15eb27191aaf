#include "ui/list_limits.h"

#include "ui/message_text.h"

std::string listFullMessage(const std::function<std::string(const std::string& key)>& translate) {
    return textOf(messageText::listFull, translate);
}
