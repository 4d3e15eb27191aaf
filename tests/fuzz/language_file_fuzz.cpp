// Any bytes read as a language file give entries whose keys are trimmed, not
// empty, hold no "=" and no line break, and whose values hold no line break.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>

#include "settings/language_file.h"

namespace {

bool holdsLineBreak(const QString& text) { return text.contains(u'\r') || text.contains(u'\n'); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const LanguageEntry& entry : readLanguageEntries(bytes)) {
        if (entry.key.isEmpty() || entry.key.contains(u'=')) std::abort();
        if (trimBlanksAndControls(entry.key) != entry.key) std::abort();
        if (trimBlanksAndControls(entry.value) != entry.value) std::abort();
        if (holdsLineBreak(entry.key) || holdsLineBreak(entry.value)) std::abort();
    }
    return 0;
}
