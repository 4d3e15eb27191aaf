#include "structure/long_annotation_lists.h"

#include <map>
#include <memory>
#include <optional>

#include <qpdf/QPDFTokenizer.hh>

#include "base/file_block_source.h"
#include "structure/annotations_carry.h"
#include "structure/object_sizes.h"

namespace {

// The least text of an array of more than MostPageAnnotations references
// ("1 0 R" and a space each).
constexpr std::size_t LeastLongListBytes = MostPageAnnotations * 6;

using Token = QPDFTokenizer::Token;

// Reads the objects of a file token by token.
class ObjectScanner {
public:
    explicit ObjectScanner(std::shared_ptr<InputSource> file) : file_(std::move(file)) {}

    InputSource& file() { return *file_; }
    Token next() { return tokenizer_.readToken(file_, "annotation list", true); }

    static bool is(const Token& token, QPDFTokenizer::token_type_e type) { return token.getType() == type; }
    static bool isWord(const Token& token, const char* word) {
        return is(token, QPDFTokenizer::tt_word) && token.getValue() == word;
    }

    // Skips the rest of a value whose first token is first: a reference's
    // generation and R, or a dictionary's or array's contents. False at the
    // end of the file or on a token that cannot start a value.
    bool skipValue(const Token& first) {
        if (is(first, QPDFTokenizer::tt_integer)) {
            skipReferenceTail();
            return true;
        }
        if (!opens(first)) return !closes(first) && !ends(first);
        for (int depth = 1; depth > 0;) {
            const Token token = next();
            if (ends(token)) return false;
            if (opens(token)) ++depth;
            if (closes(token)) --depth;
        }
        return true;
    }

private:
    static bool opens(const Token& token) {
        return is(token, QPDFTokenizer::tt_array_open) || is(token, QPDFTokenizer::tt_dict_open);
    }
    static bool closes(const Token& token) {
        return is(token, QPDFTokenizer::tt_array_close) || is(token, QPDFTokenizer::tt_dict_close);
    }
    static bool ends(const Token& token) {
        return is(token, QPDFTokenizer::tt_eof) || is(token, QPDFTokenizer::tt_bad);
    }
    // After an integer: "G R" is taken when it follows, anything else is left.
    void skipReferenceTail() {
        const qpdf_offset_t after = file_->tell();
        if (is(next(), QPDFTokenizer::tt_integer) && isWord(next(), "R")) return;
        file_->seek(after, SEEK_SET);
    }

    std::shared_ptr<InputSource> file_;
    QPDFTokenizer tokenizer_;
};

// Where, in the text of an object, a list is cut: the bytes from cut up to
// the list's closing bracket are left out.
struct ListCut {
    qpdf_offset_t start = 0, cut = 0, close = 0, end = 0;  // of the object's value, the cut, "]", its end
};

// Reads the entries of a list whose "[" was read last, noting where the
// entry past MostPageAnnotations begins and where "]" is; false when the
// list does not end.
bool readList(ObjectScanner& scanner, ListCut& cut, std::size_t& entries) {
    entries = 0;
    for (Token entry = scanner.next(); !ObjectScanner::is(entry, QPDFTokenizer::tt_array_close); entry = scanner.next()) {
        if (++entries == MostPageAnnotations + 1) cut.cut = scanner.file().getLastOffset();
        if (!scanner.skipValue(entry)) return false;
    }
    cut.close = scanner.file().getLastOffset();
    return true;
}

// What the object at offset is, when it is a list too long for a page's
// annotations: a dictionary (not a stream's) whose /Annots is one, or one
// standing alone.
struct LongList {
    ListCut cut;
    bool alone = false;
};

// The object id at offset, read up to the end of its value, when it is or
// holds a list too long.
std::optional<LongList> findLongList(ObjectScanner& scanner, QPDFObjGen id, qpdf_offset_t offset) {
    using Q = QPDFTokenizer;
    InputSource& file = scanner.file();
    file.seek(offset, SEEK_SET);
    const Token number = scanner.next(), generation = scanner.next(), keyword = scanner.next();
    if (!ObjectScanner::is(number, Q::tt_integer) || number.getValue() != std::to_string(id.getObj()) ||
        !ObjectScanner::is(generation, Q::tt_integer) || generation.getValue() != std::to_string(id.getGen()) ||
        !ObjectScanner::isWord(keyword, "obj"))
        return std::nullopt;
    LongList found;
    const Token first = scanner.next();
    found.cut.start = file.getLastOffset();
    std::size_t entries = 0;
    if (ObjectScanner::is(first, Q::tt_array_open)) {
        found.alone = true;
        if (!readList(scanner, found.cut, entries)) return std::nullopt;
    } else if (ObjectScanner::is(first, Q::tt_dict_open)) {
        for (;;) {
            const Token key = scanner.next();
            if (ObjectScanner::is(key, Q::tt_dict_close)) break;
            if (!ObjectScanner::is(key, Q::tt_name)) return std::nullopt;
            const Token value = scanner.next();
            const bool list = key.getValue() == "/Annots" && ObjectScanner::is(value, Q::tt_array_open);
            if (list && entries <= MostPageAnnotations) {
                if (!readList(scanner, found.cut, entries)) return std::nullopt;
            } else if (!scanner.skipValue(value)) {
                return std::nullopt;
            }
        }
    } else {
        return std::nullopt;
    }
    found.cut.end = file.tell();
    // A stream's dictionary is no page.
    if (entries <= MostPageAnnotations || ObjectScanner::isWord(scanner.next(), "stream")) return std::nullopt;
    return found;
}

std::string bytesBetween(InputSource& file, qpdf_offset_t from, qpdf_offset_t to) {
    std::string text(static_cast<std::size_t>(to - from), '\0');
    file.seek(from, SEEK_SET);
    text.resize(file.read(text.data(), text.size()));
    return text;
}

void shortenLists(QPDF& pdf, const std::string& path, std::set<QPDFObjGen>& shortened) {
    if (pdf.isEncrypted()) return;  // its strings would have to be decrypted
    std::vector<std::pair<QPDFObjGen, qpdf_offset_t>> candidates =
        ObjectSizes::fileObjectsOfAtLeast(pdf, LeastLongListBytes);
    if (candidates.empty()) return;
    ObjectScanner scanner(std::make_shared<FileBlockSource>(path));
    auto cutText = [&](const ListCut& cut) {
        return bytesBetween(scanner.file(), cut.start, cut.cut) + bytesBetween(scanner.file(), cut.close, cut.end);
    };
    std::map<QPDFObjGen, ListCut> lists;  // long lists standing alone, which pages may name as their /Annots
    for (const auto& [id, offset] : candidates) {
        try {
            const std::optional<LongList> found = findLongList(scanner, id, offset);
            if (!found) continue;
            if (found->alone) {
                lists.emplace(id, found->cut);
                continue;
            }
            pdf.replaceObject(id, QPDFObjectHandle::parse(&pdf, cutText(found->cut), path));
            shortened.insert(id);
        } catch (const std::exception&) {
            // left to libqpdf, which reads it whole
        }
    }
    if (lists.empty()) return;
    // Naming a list does not read it: the pages are read, and a list that is
    // a page's /Annots is put in libqpdf's place cut.
    for (QPDFObjectHandle page : pdf.getAllPages()) {
        QPDFObjectHandle named = page.getKey("/Annots");
        if (!named.isIndirect()) continue;
        auto found = lists.find(named.getObjGen());
        if (found == lists.end()) continue;
        try {
            pdf.replaceObject(found->first, QPDFObjectHandle::parse(&pdf, cutText(found->second), path));
            shortened.insert(page.getObjGen());
        } catch (const std::exception&) {
            // left to libqpdf, which reads it whole
        }
    }
}

}  // namespace

std::set<QPDFObjGen> shortenLongAnnotationLists(QPDF& pdf, const std::string& path) {
    std::set<QPDFObjGen> shortened;
    try {
        shortenLists(pdf, path, shortened);
    } catch (const std::exception&) {
        // what is left is read whole by libqpdf, as it would be without this reading
    }
    return shortened;
}
