#pragma once
#include <qpdf/Pipeline.hh>

// How far a page's content reaches with its saves (q) and restores (Q): the
// lowest depth it restores to and the depth it ends at, both relative to
// where it starts. The content is read as it streams past, a byte at a time,
// so that a content stream of any size costs no memory; strings, comments,
// names and inline image data are skipped as a reader skips them.
class SaveDepthScanner : public Pipeline {
public:
    SaveDepthScanner();
    void write(unsigned char const* data, size_t length) override;
    // Called after each content stream of a page; the next one goes on.
    void finish() override {}
    // Ends the word the content ended with.
    void end();

    int depth = 0, lowest = 0;

private:
    enum class State { Normal, Comment, LiteralString, StringEscape, HexString, InlineImage };
    void endWord();
    void inlineImageByte(unsigned char c);

    State state_ = State::Normal;
    int stringNesting_ = 0;
    char word_[3] = {0, 0, 0};  // the first characters of the word being read
    int wordLength_ = 0;
    // Inline image data ends at white space, "EI" and white space or a delimiter.
    int inlineEndMatched_ = 0;
    bool lastWasLessThan_ = false;
};
