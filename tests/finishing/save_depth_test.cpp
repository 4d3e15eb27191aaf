#include <gtest/gtest.h>

#include <string>

#include "finishing/save_depth.h"

namespace {

struct Reach {
    int depth, lowest;
    bool operator==(const Reach& other) const { return depth == other.depth && lowest == other.lowest; }
};

// The content fed in pieces of `piece` bytes, as a stream arrives.
Reach reachOf(const std::string& content, std::size_t piece) {
    SaveDepthScanner scanner;
    for (std::size_t at = 0; at < content.size(); at += piece)
        scanner.write(reinterpret_cast<const unsigned char*>(content.data()) + at, std::min(piece, content.size() - at));
    scanner.end();
    return {scanner.depth, scanner.lowest};
}

TEST(SaveDepthScanner, CountsOnlyTheOperators) {
    struct Case {
        std::string content;
        Reach reach;
    } cases[] = {
        {"q 1 0 0 1 0 0 cm Q", {0, 0}},
        {"q q Q", {1, 0}},
        {"Q Q q", {-1, -2}},
        {"q\nQ\nQ", {-1, -1}},
        {"qQ Qq q", {1, 0}},                              // words, not operators
        {"(Q) Tj (q (Q) \\) Q) Tj", {0, 0}},             // strings, nested and escaped
        {"<51> Tj << /Q 1 >> BDC /Q gs", {0, 0}},         // hex string, dictionary, names
        {"% Q Q Q\nq", {1, 0}},                           // a comment
        {"BI /W 2 /H 1 ID \x01Q Q\x02 EI Q", {-1, -1}},    // inline image data
        {"q BI /W 1 ID Q\nEIx Q\nEI\nQ", {0, 0}},         // "EI" inside the data does not end it
        {"< 51 > Tj Q", {-1, -1}},                        // blanks in a hex string
    };
    for (const Case& c : cases)
        for (std::size_t piece : {c.content.size() + 1, std::size_t(1), std::size_t(3)})
            EXPECT_EQ(reachOf(c.content, piece), c.reach) << c.content << " in pieces of " << piece;
}

}  // namespace
