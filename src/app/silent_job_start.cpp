#include "app/silent_job_start.h"

#include <iostream>

#include "app/console_dialogs.h"
#include "app/stored_language.h"
#include "app/terminal.h"
#include "settings/stored_values.h"

int runSilentJob(const std::vector<std::string>& arguments, Dialogs* windowDialogs,
                 const SilentSwitches::ErrorReport& reportApplicationError) {
    ConsoleDialogs consoleDialogs(terminalPasswordPrompt());
    Dialogs& dialogs = windowDialogs ? *windowDialogs : consoleDialogs;
    // A run speaks one language: the console's is English.
    const auto translate = windowDialogs ? storedLanguageTexts() : englishTexts();
    InputProbe probe(dialogs, translate);
    const SilentJobContext context{dialogs, translate, protectionFrom(storedValuesReader()),
                                   [&](const std::string& path) {
                                       consoleDialogs.setFile(path);
                                       return probe.probe(path);
                                   },
                                   standardErrorIsTerminal()};
    SilentSwitches switches(context, std::cout, std::cerr, reportApplicationError);
    return switches.run(arguments);
}

void reportApplicationErrorOnConsole(const std::string& message) {
    std::cerr << "Application Error: " << message << std::endl;
}
