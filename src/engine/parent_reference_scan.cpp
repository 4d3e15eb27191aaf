#include "engine/parent_reference_scan.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <map>
#include <utility>
#include <vector>

namespace {

bool isSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The number whose last digit is just before end, reading backwards; the
// position of its first digit goes to start. -1 when there is none.
long numberBefore(const std::string& text, size_t end, size_t& start) {
    size_t first = end;
    while (first > 0 && isDigit(text[first - 1]) && end - first < 10) --first;
    if (first == end || (first > 0 && isDigit(text[first - 1]))) return -1;
    start = first;
    return std::stol(text.substr(first, end - first));
}

// The number that starts at position, reading forwards; the position after it
// goes to next. -1 when there is none.
long numberAt(const std::string& text, size_t position, size_t& next) {
    size_t last = position;
    while (last < text.size() && isDigit(text[last]) && last - position < 10) ++last;
    if (last == position || (last < text.size() && isDigit(text[last]))) return -1;
    next = last;
    return std::stol(text.substr(position, last - position));
}

size_t skipSpaceBackwards(const std::string& text, size_t end) {
    while (end > 0 && isSpace(text[end - 1])) --end;
    return end;
}

size_t skipSpace(const std::string& text, size_t position) {
    while (position < text.size() && isSpace(text[position])) ++position;
    return position;
}

// The object number of an "N G obj" header whose "obj" is at position, or -1.
long objectHeaderAt(const std::string& text, size_t position) {
    const size_t after = position + 3;
    if (after < text.size() && !isSpace(text[after]) && text[after] != '<' && text[after] != '[' &&
        text[after] != '/')
        return -1;
    size_t end = skipSpaceBackwards(text, position);
    if (end == position) return -1;
    size_t start = 0;
    if (numberBefore(text, end, start) < 0) return -1;
    const size_t generationStart = start;
    end = skipSpaceBackwards(text, generationStart);
    if (end == generationStart) return -1;
    return numberBefore(text, end, start);
}

// The object number of the "/Parent N G R" whose name is at position, or -1.
long parentReferenceAt(const std::string& text, size_t position) {
    size_t next = skipSpace(text, position + std::strlen("/Parent"));
    if (next == position + std::strlen("/Parent")) return -1;  // a longer name, such as /ParentTree
    const long number = numberAt(text, next, next);
    if (number < 0) return -1;
    size_t after = skipSpace(text, next);
    if (after == next || numberAt(text, after, next) < 0) return -1;
    after = skipSpace(text, next);
    if (after == next || after >= text.size() || text[after] != 'R') return -1;
    return number;
}

struct ScanState {
    ParentLinks links;
    long current = -1;  // the object whose definition is being read
    bool objectStreams = false;
};

// Reads the positions from .. to of text; the text around them gives the
// context a header or a reference needs on either side.
void scanPart(const std::string& text, size_t from, size_t to, ScanState& state) {
    // Only an 'o' (of "obj") or a '/' can start what is looked for; the bytes
    // between are skipped with memchr, most of a file being stream data.
    const char* const begin = text.data();
    const auto next = [&](char wanted, size_t at) {
        const void* found = at < to ? std::memchr(begin + at, wanted, to - at) : nullptr;
        return found ? static_cast<size_t>(static_cast<const char*>(found) - begin) : to;
    };
    size_t nextO = next('o', from), nextSlash = next('/', from);
    while (nextO < to || nextSlash < to) {
        const size_t i = std::min(nextO, nextSlash);
        const char c = text[i];
        if (i == nextO) nextO = next('o', i + 1);
        if (i == nextSlash) nextSlash = next('/', i + 1);
        if (c == 'o' && text.compare(i, 3, "obj") == 0) {
            if (i >= 3 && text.compare(i - 3, 3, "end") == 0)
                state.current = -1;
            else if (const long number = objectHeaderAt(text, i); number >= 0)
                state.current = number;
        } else if (c == '/') {
            if (text.compare(i, 7, "/ObjStm") == 0) state.objectStreams = true;
            if (state.current >= 0 && text.compare(i, 7, "/Parent") == 0)
                if (const long parent = parentReferenceAt(text, i); parent >= 0)
                    state.links[state.current].push_back(parent);
        }
    }
}

// Depth-first search without recursion: a link back to an object still being
// explored closes a circle. A chain longer than any real page tree counts as
// one too, as endless for a reader climbing it.
bool hasCircle(const ParentLinks& links) {
    enum class State { unseen, open, done };
    std::map<long, State> state;
    std::map<long, int> depth;  // links in the longest chain from a done object up
    for (const auto& [start, ignored] : links) {
        (void)ignored;
        if (state[start] != State::unseen) continue;
        std::vector<std::pair<long, size_t>> path{{start, 0}};
        state[start] = State::open;
        while (!path.empty()) {
            auto& [node, nextLink] = path.back();
            const auto found = links.find(node);
            if (found == links.end() || nextLink >= found->second.size()) {
                // Every parent is done by now: the longest chain above is known.
                int longest = 0;
                if (found != links.end())
                    for (long parent : found->second) longest = std::max(longest, depth[parent]);
                if ((depth[node] = longest + 1) > DeepestParentChain) return true;
                state[node] = State::done;
                path.pop_back();
                continue;
            }
            const long parent = found->second[nextLink++];
            State& parentState = state[parent];
            if (parentState == State::open) return true;
            if (parentState == State::unseen) {
                parentState = State::open;
                path.emplace_back(parent, 0);
            }
        }
    }
    return false;
}

}  // namespace

ParentLinkScan scanParentLinks(const std::string& fileName) {
    // Context kept on either side of a part: more than any header or
    // reference spans, short of pathological runs of blanks.
    constexpr size_t Context = 256;
    constexpr size_t PartSize = size_t(64) << 10;
    try {
        std::ifstream file(fileName, std::ios::binary);
        if (!file) return {};
        ScanState state;
        std::string buffer;
        std::vector<char> part(PartSize);
        size_t scanned = 0;  // position in buffer up to which it has been read
        for (bool last = false; !last;) {
            file.read(part.data(), static_cast<std::streamsize>(part.size()));
            const auto count = static_cast<size_t>(file.gcount());
            last = count < part.size();
            buffer.append(part.data(), count);
            const size_t limit = last ? buffer.size() : (buffer.size() > Context ? buffer.size() - Context : 0);
            if (limit > scanned) {
                scanPart(buffer, scanned, limit, state);
                scanned = limit;
            }
            const size_t keepFrom = scanned > Context ? scanned - Context : 0;
            buffer.erase(0, keepFrom);
            scanned -= keepFrom;
        }
        return {std::move(state.links), state.objectStreams};
    } catch (...) {
        return {};
    }
}

void scanObjectText(const std::string& text, long object, ParentLinks& links) {
    ScanState state;
    state.current = object;
    scanPart(text, 0, text.size(), state);
    for (auto& [from, parents] : state.links) {
        std::vector<long>& known = links[from];
        known.insert(known.end(), parents.begin(), parents.end());
    }
}

bool linksCircle(const ParentLinks& links) { return hasCircle(links); }
