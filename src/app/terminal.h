#pragma once
#include <functional>
#include <optional>
#include <string>

// True when standard input is a terminal, where someone can type a password.
bool standardInputIsTerminal();
// True when standard error is a terminal, where a progress line can be shown.
bool standardErrorIsTerminal();

// Asks on the terminal for the password of the file, with the typed
// characters hidden; the prompt goes to the terminal itself, so that it shows
// when standard error is redirected. Nothing when the user types no password
// (an empty line or the end of input).
std::optional<std::string> askPasswordOnTerminal(const std::string& file);

// askPasswordOnTerminal when standard input is a terminal, an empty function
// (nobody to ask) otherwise.
std::function<std::optional<std::string>(const std::string& file)> terminalPasswordPrompt();
