#pragma once
#include <functional>
#include <map>
#include <string>
#include <vector>

// Test PDFs made with libqpdf, an engine independent of the one under test.
namespace fixtures {

// A bookmark of a fixture: its level (1 at the top, beneath the last entry
// one level up) and its 1-based target page, 0 for none.
struct BookmarkFixture {
    std::string title;
    int level = 1;
    int page = 0;
};

struct PdfOptions {
    std::string password;       // AES-256 with user = owner password when set
    bool sharedFont = false;    // every page uses one embedded TrueType font
    double width = 612, height = 792;
    int rotate = 0;
    std::vector<double> cropBox;  // four numbers, or none
    std::vector<BookmarkFixture> bookmarks;
    std::map<int, int> pictureBytes;  // 1-based page -> bytes of a random picture it holds

    PdfOptions& withPassword(std::string value) { password = std::move(value); return *this; }
    PdfOptions& withSharedFont() { sharedFont = true; return *this; }
    PdfOptions& withSize(double w, double h) { width = w; height = h; return *this; }
    PdfOptions& withRotation(int degrees) { rotate = degrees; return *this; }
    PdfOptions& withCropBox(std::vector<double> box) { cropBox = std::move(box); return *this; }
    PdfOptions& withBookmarks(std::vector<BookmarkFixture> list) { bookmarks = std::move(list); return *this; }
    PdfOptions& withPicture(int page, int bytes) { pictureBytes[page] = bytes; return *this; }
};

// Writes a PDF of `pages` pages; page i shows the marker prefix + i (A1, A2, ...).
void writeMarkedPdf(const std::string& path, const std::string& prefix, int pages, const PdfOptions& options = {});

// The marker of every page of a PDF, in page order ("" for a page without one).
std::vector<std::string> readMarkers(const std::string& path, const std::string& password = "");

// The top-level bookmark titles of a PDF, joined by blanks.
std::string bookmarkTitles(const std::string& path);
// Every bookmark title of a PDF in outline order, children in brackets:
// "A [A.1 A.2] B".
std::string bookmarkTree(const std::string& path);

// "A1 A2 B1" style list of markers, for readable expectations.
std::string markerText(const std::string& path, const std::string& password = "");

// The markers prefix + first .. prefix + last, joined by blanks.
std::string markerRun(const std::string& prefix, int first, int last);

// A folder removed with everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& path() const { return path_; }
    std::string folder() const { return path_ + "/"; }  // with its trailing separator
    std::string file(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// The folder of the running test program (where libpdfium.so lies).
std::string programFolder();

std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
std::vector<std::string> filesIn(const std::string& folder);  // sorted names, hidden ones included

// The message of the exception the action raises, or "(no error)".
std::string errorOf(const std::function<void()>& action);

}  // namespace fixtures
