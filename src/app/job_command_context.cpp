#include "app/job_command_context.h"

#include <iostream>

#include "app/stored_language.h"
#include "app/terminal.h"
#include "settings/settings.h"

JobCommandContext programJobCommandContext() {
    return {std::cout,
            std::cerr,
            std::cin,
            englishTexts(),
            Settings().protection(),
            terminalPasswordPrompt(),
            standardErrorIsTerminal()};
}
