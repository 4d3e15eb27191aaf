#include "app/terminal.h"

#include <cstdio>
#include <iterator>
#include <string>

std::function<std::optional<std::string>(const std::string& file)> terminalPasswordPrompt() {
    if (!standardInputIsTerminal()) return {};
    return askPasswordOnTerminal;
}

#ifdef _WIN32
#include <io.h>

// Windows consoles have no termios; a silent job there gets its passwords from
// the options and never asks.
bool standardInputIsTerminal() { return _isatty(0) != 0; }
bool standardErrorIsTerminal() { return _isatty(2) != 0; }
std::optional<std::string> askPasswordOnTerminal(const std::string&) { return std::nullopt; }

#else
#include <signal.h>
#include <termios.h>
#include <unistd.h>

namespace {

termios shownInput;  // the terminal's settings before echo was turned off
constexpr int EndingSignals[] = {SIGINT, SIGTERM, SIGQUIT, SIGHUP, SIGTSTP};

// A signal that ends the program during the prompt must not leave the
// terminal without echo.
void restoreEchoAndRaise(int signal) {
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &shownInput);
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

// Echo off (only the line end is echoed) while it lives.
class HiddenInput {
public:
    HiddenInput() {
        if (tcgetattr(STDIN_FILENO, &shownInput) != 0) return;
        struct sigaction restore {};
        restore.sa_handler = restoreEchoAndRaise;
        sigemptyset(&restore.sa_mask);
        for (std::size_t i = 0; i < std::size(EndingSignals); ++i) sigaction(EndingSignals[i], &restore, &before_[i]);
        termios hidden = shownInput;
        hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        hidden.c_lflag |= ECHONL;
        active_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden) == 0;
        if (!active_) restoreSignals();
    }
    ~HiddenInput() {
        if (!active_) return;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &shownInput);
        restoreSignals();
    }
    HiddenInput(const HiddenInput&) = delete;
    HiddenInput& operator=(const HiddenInput&) = delete;

private:
    void restoreSignals() {
        for (std::size_t i = 0; i < std::size(EndingSignals); ++i) sigaction(EndingSignals[i], &before_[i], nullptr);
    }

    bool active_ = false;
    struct sigaction before_[std::size(EndingSignals)] {};
};

// Reads up to the line end; false at the end of input before it.
bool readLine(std::string& line) {
    char c = 0;
    ssize_t got = 0;
    while ((got = ::read(STDIN_FILENO, &c, 1)) == 1 && c != '\n') line += c;
    return got == 1;
}

}  // namespace

bool standardInputIsTerminal() { return ::isatty(STDIN_FILENO) == 1; }
bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

std::optional<std::string> askPasswordOnTerminal(const std::string& file) {
    std::FILE* terminal = std::fopen("/dev/tty", "w");
    std::FILE* prompt = terminal ? terminal : stderr;
    std::string line;
    bool ended = false;
    {
        // Echo goes off before the prompt shows: turning it off drops what
        // was typed ahead, which must not be the password.
        const HiddenInput hidden;
        std::fprintf(prompt, "Password for %s: ", file.c_str());
        std::fflush(prompt);
        ended = readLine(line);
    }
    if (!ended) std::fputc('\n', prompt);  // the end of input echoes no line end
    if (terminal) std::fclose(terminal);
    if (line.empty()) return std::nullopt;
    return line;
}

#endif
