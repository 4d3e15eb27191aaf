#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

// One "key = value" line of a language file, in UTF-8. An empty value means:
// forget the key.
struct LanguageLine {
    std::string key;
    std::string value;
};

// The lines of a language file, in file order. The bytes are UTF-8 unless a
// byte-order mark says UTF-8, UTF-16 LE or UTF-16 BE; what is not valid there
// becomes U+FFFD. Lines end with CR LF, LF or CR. Empty lines, lines starting
// with "[" (section headers), lines without "=" and lines with nothing before
// the "=" give no entry. A line is split at its first "="; key and value lose
// their leading and trailing blanks and control characters (up to U+0020).
// There is no comment or escape syntax.
std::vector<LanguageLine> readLanguageLines(std::string_view bytes);

// The text without leading and trailing characters up to and including the blank.
std::string_view trimmedOfBlanksAndControls(std::string_view text);

// The start of the message for a language file that cannot be read; the
// file's full name follows.
inline constexpr const char* UnreadableLanguageFile = "Unable to load language file ";

// The texts of language files by key, letter case ignored. Adding another
// file's lines replaces the keys it defines and keeps all others, so a key the
// new language lacks keeps the text of the language before it.
class LanguageTable {
public:
    void add(const std::vector<LanguageLine>& lines);
    // The text stored under the key (letter case ignored), or "".
    std::string text(std::string_view key) const;

private:
    std::map<std::string, std::string, std::less<>> texts_;  // case-folded key -> text
};

// Reads a language file into bytes; false, with the reason in problem, when
// it is missing, a folder, or cannot be read.
bool readLanguageFileBytes(const std::string& path, std::string& bytes, std::string& problem);
