#include "engine/render_service.h"

#include <filesystem>
#include <list>
#include <exception>
#include <memory>

#include "base/platform_streams.h"
#include "engine/page_renderer.h"
#include "engine/pdf_document.h"
#include "engine/pdf_error.h"
#include "engine/render_protocol.h"

namespace {

// What tells a file apart from the one that was there before under its name.
struct FileStamp {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified;

    bool operator==(const FileStamp& other) const { return size == other.size && modified == other.modified; }
};

FileStamp stampOf(const std::string& path) {
    std::error_code error;
    FileStamp stamp;
    stamp.size = std::filesystem::file_size(path, error);
    stamp.modified = std::filesystem::last_write_time(path, error);
    return stamp;
}

// The last few documents asked for stay open: a strip asks for many pages of
// one file, and opening a large file reads all of it.
class OpenDocuments {
public:
    const PdfDocument& document(const std::string& path, const std::string& password) {
        const FileStamp stamp = stampOf(path);
        for (auto entry = entries_.begin(); entry != entries_.end(); ++entry) {
            if (entry->path != path || entry->password != password) continue;
            if (entry->stamp == stamp) {
                entries_.splice(entries_.begin(), entries_, entry);
                return *entries_.front().document;
            }
            entries_.erase(entry);  // changed on disk since
            break;
        }
        auto opened = std::make_unique<PdfDocument>(PdfDocument::open(path, password));
        entries_.push_front({path, password, stamp, std::move(opened)});
        if (entries_.size() > Kept) entries_.pop_back();
        return *entries_.front().document;
    }

private:
    static constexpr std::size_t Kept = 4;
    struct Entry {
        std::string path, password;
        FileStamp stamp;
        std::unique_ptr<PdfDocument> document;
    };
    std::list<Entry> entries_;  // the most recently used first
};

PageAnswer answer(const PageRequest& request, OpenDocuments& documents) {
    PageAnswer answer;
    answer.id = request.id;
    try {
        const PdfDocument& document = documents.document(request.path, request.password);
        if (request.page < 0 || request.page >= document.pageCount())
            throw PdfError("The document has no page " + std::to_string(static_cast<long long>(request.page) + 1));
        answer.picture = renderPage(document, request.page, request.maxWidth, request.maxHeight);
        answer.label = pageLabel(document, request.page);
    } catch (const std::exception& error) {
        answer.error = error.what();
        answer.picture = {};
    }
    return answer;
}

}  // namespace

int serveRenderRequests(int input, int output) {
    OpenDocuments documents;
    std::string buffer;
    char block[1 << 16];
    for (;;) {
        try {
            while (const std::optional<PageRequest> request = takeRequest(buffer))
                if (const std::string bytes = encodeAnswer(answer(*request, documents));
                    !writeAll(output, bytes.data(), bytes.size()))
                    return 1;
        } catch (const RenderProtocolError&) {
            return 1;
        }
        const long count = readSome(input, block, sizeof block);
        if (count < 0) return 1;
        if (count == 0) return buffer.empty() ? 0 : 1;
        buffer.append(block, static_cast<std::size_t>(count));
    }
}

int runRenderService() {
    // A page that hangs must not outlive the window; a window that has gone
    // shows as a failed write.
    const std::optional<ServiceChannel> channel = takeServiceChannel();
    if (!channel) return 1;
    return serveRenderRequests(channel->requests, channel->answers);
}
