#include "structure/object_sizes.h"

#include <algorithm>
#include <filesystem>

#include <qpdf/Pipeline.hh>

namespace {

// Counts a stream's decoded bytes without holding them.
class DecodedLength : public Pipeline {
public:
    DecodedLength() : Pipeline("object stream", nullptr) {}
    void write(unsigned char const*, size_t length) override { this->length += length; }
    void finish() override {}
    unsigned long long length = 0;
};

}  // namespace

namespace {

// Calls visit(id, entry, size) for every object of pdf's cross-reference
// table (as getXRefTable gives it); size is the bytes from an object of the
// file to the next one (0 for a packed object, or when unknown).
template <typename Visit>
void visitObjects(QPDF& pdf, const std::map<QPDFObjGen, QPDFXRefEntry>& table, Visit visit) {
    std::vector<qpdf_offset_t> offsets;  // where objects in the file begin, in order
    for (const auto& [id, entry] : table)
        if (entry.getType() == 1) offsets.push_back(entry.getOffset());
    std::sort(offsets.begin(), offsets.end());
    std::error_code error;
    const auto length = std::filesystem::file_size(pdf.getFilename(), error);
    const qpdf_offset_t fileLength = error ? 0 : static_cast<qpdf_offset_t>(length);  // 0 when unknown
    for (const auto& [id, entry] : table) {
        std::size_t size = 0;
        if (entry.getType() == 1) {
            auto next = std::upper_bound(offsets.begin(), offsets.end(), entry.getOffset());
            const qpdf_offset_t end = next != offsets.end() ? *next : fileLength;
            if (end > entry.getOffset()) size = static_cast<std::size_t>(end - entry.getOffset());
        }
        visit(id, entry, size);
    }
}

}  // namespace

ObjectSizes::ObjectSizes(QPDF& pdf) : pdf_(pdf) {
    const std::map<QPDFObjGen, QPDFXRefEntry> table = pdf.getXRefTable();
    places_.reserve(table.size());
    visitObjects(pdf, table, [this](QPDFObjGen id, const QPDFXRefEntry& entry, std::size_t size) {
        if (entry.getType() == 2) places_.push_back({id, entry.getObjStreamNumber(), 0});
        else if (entry.getType() == 1) places_.push_back({id, -1, size});
    });
}

std::vector<std::pair<QPDFObjGen, qpdf_offset_t>> ObjectSizes::fileObjectsOfAtLeast(QPDF& pdf, std::size_t bytes) {
    std::vector<std::pair<QPDFObjGen, qpdf_offset_t>> found;
    visitObjects(pdf, pdf.getXRefTable(), [&](QPDFObjGen id, const QPDFXRefEntry& entry, std::size_t size) {
        if (entry.getType() == 1 && size >= bytes) found.emplace_back(id, entry.getOffset());
    });
    return found;
}

const ObjectSizes::Place* ObjectSizes::find(QPDFObjGen id) const {
    auto found = std::lower_bound(places_.begin(), places_.end(), id,
                                  [](const Place& place, QPDFObjGen wanted) { return place.id < wanted; });
    return found == places_.end() || found->id != id ? nullptr : &*found;
}

std::size_t ObjectSizes::of(QPDFObjGen id) {
    const Place* place = find(id);
    if (!place) return 0;
    return place->stream < 0 ? place->size : packedBytes(place->stream);
}

int ObjectSizes::streamOf(QPDFObjGen id) const {
    const Place* place = find(id);
    return place ? place->stream : -1;
}

// The objects of an object stream are its decoded data from /First on.
std::size_t ObjectSizes::packedBytes(int stream) {
    auto [place, added] = streamBytes_.try_emplace(stream, 0);
    if (!added) return place->second;
    try {
        QPDFObjectHandle object = pdf_.getObjectByID(stream, 0);
        if (!object.isStream() || !object.getDict().getKey("/First").isInteger()) return 0;
        const long long first = object.getDict().getKey("/First").getIntValue();
        DecodedLength decoded;
        if (!object.pipeStreamData(&decoded, 0, qpdf_dl_generalized)) return 0;
        place->second = first >= 0 && decoded.length > static_cast<unsigned long long>(first)
                            ? static_cast<std::size_t>(decoded.length - static_cast<unsigned long long>(first))
                            : 0;
    } catch (const std::exception&) {
        // an object stream that cannot be read: its objects' sizes are unknown
    }
    return place->second;
}
