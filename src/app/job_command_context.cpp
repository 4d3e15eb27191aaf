#include "app/job_command_context.h"

#include <unistd.h>

#include <iostream>

#include "app/stored_language.h"
#include "app/terminal_password.h"
#include "settings/settings.h"

JobCommandContext programJobCommandContext() {
    return {std::cout,
            std::cerr,
            std::cin,
            storedLanguageTexts(),
            Settings().protection(),
            standardInputIsTerminal() ? AskPassword(askPasswordOnTerminal) : AskPassword(),
            ::isatty(STDERR_FILENO) == 1};
}
