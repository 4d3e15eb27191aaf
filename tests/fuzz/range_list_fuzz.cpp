// Any text cut into file groups and expanded under a page limit gives pieces
// that are never empty and keep every other character, ranges that climb one
// page at a time within the limit, and fails only with the two documented
// errors.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "jobs/range_list.h"
#include "base/whole_number.h"
#include "support/recording_reporter.h"

namespace {

std::string without(const std::string& text, char separator) {
    std::string kept;
    for (char c : text)
        if (c != separator) kept += c;
    return kept;
}

// The pieces are the text cut at some of its separators: nothing is lost or
// added besides separators, and no piece is empty.
void checkCut(const std::string& text, const std::vector<std::string>& pieces, char separator) {
    std::string joined;
    for (const std::string& piece : pieces) {
        if (piece.empty()) std::abort();
        joined += piece;
    }
    if (without(joined, separator) != without(text, separator)) std::abort();
}

bool isPlainDecimal(const std::string& text) {
    if (text.empty() || text.size() > 10) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return text == "0" || text[0] != '0';
}

// One comma piece on its own: a single entry stays as typed, a range gives
// consecutive plain decimal pages from 0 to the limit.
void checkPiece(const std::string& piece, const std::vector<std::string>& entries, int pageLimit) {
    if (piece.find('-') == std::string::npos) {
        if (entries.size() != 1 || entries[0] != piece) std::abort();
        return;
    }
    if (entries.size() > static_cast<std::size_t>(pageLimit) + 1) std::abort();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (!isPlainDecimal(entries[i])) std::abort();
        const long long page = std::stoll(entries[i]);
        if (page < 0 || page > pageLimit) std::abort();
        if (i > 0 && page != std::stoll(entries[i - 1]) + 1) std::abort();
    }
}

enum class Outcome { Entries, ConvertError, ListError };

Outcome expand(const std::string& group, int pageLimit, std::vector<std::string>& entries) {
    RecordingReporter reporter;
    try {
        entries = expandRangeGroup(group, reporter, pageLimit);
    } catch (const ConvertError&) {
        return Outcome::ConvertError;
    } catch (const ListError&) {
        return Outcome::ListError;
    }
    for (const std::string& message : reporter.messages)
        if (message.rfind("The following page range is invalid and was skipped: ", 0) != 0) std::abort();
    return Outcome::Entries;
}

// The group expands to its pieces' expansions one after another, and fails
// with the error of its first failing piece.
void checkGroup(const std::string& group, int pageLimit) {
    std::vector<std::string> whole;
    const Outcome outcome = expand(group, pageLimit, whole);
    std::vector<std::string> joined;
    for (const std::string& piece : cutPieces(group, ',')) {
        std::vector<std::string> entries;
        const Outcome pieceOutcome = expand(piece, pageLimit, entries);
        if (pieceOutcome != Outcome::Entries) {
            if (outcome != pieceOutcome) std::abort();
            return;
        }
        checkPiece(piece, entries, pageLimit);
        joined.insert(joined.end(), entries.begin(), entries.end());
    }
    if (outcome != Outcome::Entries || joined != whole) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> groups = getRangeGroups(text);
    checkCut(text, groups, ';');
    for (const std::string& group : groups) {
        checkCut(group, cutPieces(group, ','), ',');
        for (int pageLimit : {0, 7, 1000}) checkGroup(group, pageLimit);
    }
    return 0;
}
