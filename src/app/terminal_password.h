#pragma once
#include <optional>
#include <string>

// True when standard input is a terminal, where someone can type a password.
bool standardInputIsTerminal();

// Asks on the terminal for the password of the file, with the typed
// characters hidden; the prompt goes to the terminal itself, so that it shows
// when standard error is redirected. Nothing when the user types no password
// (an empty line or the end of input).
std::optional<std::string> askPasswordOnTerminal(const std::string& file);
