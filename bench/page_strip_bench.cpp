// Scrolls a strip of pages through a whole PDF the way a user would and
// reports the memory that costs: the window's peak and final resident size,
// the pictures kept, and the drawing process's size. The strip must stay
// bounded however many pages the file has. Usage: page_strip_bench INPUT.pdf
#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QScrollBar>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <string>
#include <unistd.h>

#include "engine/pdf_document.h"
#include "ui/page_service.h"
#include "ui/page_strip.h"
#include "ui/strip_pages.h"

namespace {

// A line of /proc/PID/status in kilobytes ("VmHWM", "VmRSS"); 0 when it is not there.
long statusKilobytes(const std::string& pid, const std::string& field) {
    std::ifstream status("/proc/" + pid + "/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
    return 0;
}

// The first child process of this one, by its number; "" when there is none.
std::string childProcess() {
    const std::string self = std::to_string(::getpid());
    DIR* folder = ::opendir("/proc");
    std::string found;
    while (dirent* entry = folder ? ::readdir(folder) : nullptr) {
        const std::string name = entry->d_name;
        if (name.find_first_not_of("0123456789") != std::string::npos) continue;
        std::ifstream stat("/proc/" + name + "/stat");
        std::string text((std::istreambuf_iterator<char>(stat)), {});
        const std::size_t close = text.rfind(')');
        if (close == std::string::npos) continue;
        char state = 0;
        int parent = 0;
        if (std::sscanf(text.c_str() + close + 1, " %c %d", &state, &parent) == 2 && std::to_string(parent) == self)
            found = name;
    }
    if (folder) ::closedir(folder);
    return found;
}

double megabytes(long kilobytes) { return kilobytes / 1024.0; }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s INPUT.pdf\n", argv[0]);
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const std::string path = argv[1];
    int pages = 0;
    try {
        pages = PdfDocument::open(path).pageCount();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    QApplication application(argc, argv);
    const long before = statusKilobytes("self", "VmRSS");

    PageService service(nullptr);
    PageStrip strip("pages", service, [](const std::string&) { return std::string(); }, nullptr);
    strip.resize(1000, strip.sizeHint().height());
    strip.show();
    strip.showPages({{path, "", ""}}, plainStripPages(pages));
    QScrollBar* bar = strip.view()->horizontalScrollBar();
    QCoreApplication::processEvents();

    // A screenful at a time, each drawn before the next, from the first page to the last.
    QElapsedTimer clock;
    clock.start();
    long renderPeak = 0;
    int screens = 0;
    for (int value = 0;; value += bar->pageStep()) {
        bar->setValue(std::min(value, bar->maximum()));
        strip.view()->viewport()->repaint();
        do {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        } while (service.waitingCount() > 0);
        ++screens;
        if (const std::string child = childProcess(); !child.empty())
            renderPeak = std::max(renderPeak, statusKilobytes(child, "VmRSS"));
        if (value >= bar->maximum()) break;
    }
    const double seconds = clock.elapsed() / 1000.0;

    std::printf("pages                      %d\n", pages);
    std::printf("screens scrolled           %d in %.1f s (%.0f pages/s)\n", screens, seconds,
                seconds > 0 ? pages / seconds : 0.0);
    std::printf("window resident, start     %.1f MB\n", megabytes(before));
    std::printf("window resident, peak      %.1f MB\n", megabytes(statusKilobytes("self", "VmHWM")));
    std::printf("window resident, end       %.1f MB\n", megabytes(statusKilobytes("self", "VmRSS")));
    std::printf("pictures kept              %d (%.1f MB)\n", service.cache().count(),
                service.cache().bytes() / 1048576.0);
    std::printf("drawing process, largest   %.1f MB\n", megabytes(renderPeak));
    return 0;
}
