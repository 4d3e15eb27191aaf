#include "finishing/save_depth.h"

#include <algorithm>
#include <utility>

namespace {

bool isWhite(unsigned char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0'; }
bool isDelimiter(unsigned char c) {
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' || c == '}' || c == '/' ||
           c == '%';
}

}  // namespace

SaveDepthScanner::SaveDepthScanner() : Pipeline("save depth", nullptr) {}

void SaveDepthScanner::endWord() {
    if (wordLength_ == 1 && word_[0] == 'q') {
        ++depth;
    } else if (wordLength_ == 1 && word_[0] == 'Q') {
        lowest = std::min(lowest, --depth);
    } else if (wordLength_ == 2 && word_[0] == 'I' && word_[1] == 'D') {
        state_ = State::InlineImage;
        inlineEndMatched_ = 0;
    }
    wordLength_ = 0;
}

void SaveDepthScanner::inlineImageByte(unsigned char c) {
    // Matched so far: 0 nothing, 1 white space, 2 "E", 3 "I".
    if (inlineEndMatched_ == 3) {
        if (isWhite(c) || isDelimiter(c)) {
            state_ = State::Normal;
            write(&c, 1);
            return;
        }
        inlineEndMatched_ = 0;
    }
    if (isWhite(c))
        inlineEndMatched_ = 1;
    else if (inlineEndMatched_ == 1 && c == 'E')
        inlineEndMatched_ = 2;
    else if (inlineEndMatched_ == 2 && c == 'I')
        inlineEndMatched_ = 3;
    else
        inlineEndMatched_ = 0;
}

void SaveDepthScanner::end() {
    if (state_ == State::Normal) endWord();
}

void SaveDepthScanner::write(unsigned char const* data, size_t length) {
    for (size_t i = 0; i < length; ++i) {
        const unsigned char c = data[i];
        switch (state_) {
        case State::Comment:
            if (c == '\r' || c == '\n') state_ = State::Normal;
            continue;
        case State::LiteralString:
            if (c == '\\') state_ = State::StringEscape;
            else if (c == '(') ++stringNesting_;
            else if (c == ')' && --stringNesting_ == 0) state_ = State::Normal;
            continue;
        case State::StringEscape:
            state_ = State::LiteralString;
            continue;
        case State::HexString:
            if (c == '>') state_ = State::Normal;
            continue;
        case State::InlineImage:
            inlineImageByte(c);
            continue;
        case State::Normal:
            break;
        }
        if (std::exchange(lastWasLessThan_, false)) {
            // "<<" opens a dictionary; a single "<" a hexadecimal string.
            if (c == '<') continue;
            if (c != '>') state_ = State::HexString;
            continue;
        }
        if (isWhite(c) || isDelimiter(c)) {
            endWord();
            if (state_ == State::InlineImage) {
                // "ID" and one white space byte; the data follows.
                if (!isWhite(c)) inlineImageByte(c);
                continue;
            }
            if (c == '%') {
                state_ = State::Comment;
            } else if (c == '(') {
                state_ = State::LiteralString;
                stringNesting_ = 1;
            } else if (c == '<') {
                lastWasLessThan_ = true;
            } else if (c == '/') {
                wordLength_ = 3;  // a name is no operator, whatever it spells
                word_[0] = 0;
            }
            continue;
        }
        if (wordLength_ < 3) word_[wordLength_] = static_cast<char>(c);
        wordLength_ = std::min(wordLength_ + 1, 3);
    }
}
