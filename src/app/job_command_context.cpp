#include "app/job_command_context.h"

#include <iostream>

#include "app/stored_language.h"
#include "app/terminal.h"
#include "settings/stored_values.h"

JobCommandContext programJobCommandContext() {
    return {std::cout,
            std::cerr,
            std::cin,
            englishTexts(),
            protectionFrom(storedValuesReader()),
            terminalPasswordPrompt(),
            standardErrorIsTerminal()};
}
