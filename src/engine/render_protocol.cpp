#include "engine/render_protocol.h"

namespace {

// Each body opens with a mark of its kind.
constexpr char RequestMark[] = "SPRQ";
constexpr char AnswerMark[] = "SPRA";
constexpr std::size_t MarkLength = 4;
// The largest picture and its texts.
constexpr std::uint32_t MaxMessage = MaxPictureSide * MaxPictureSide * 4 + (1u << 20);

void appendNumber(std::string& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes += static_cast<char>((value >> shift) & 0xFF);
}

std::uint32_t numberAt(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i) value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return value;
}

class Writer {
public:
    explicit Writer(const char* mark) : body_(mark, MarkLength) {}
    Writer& number(std::uint32_t value) {
        appendNumber(body_, value);
        return *this;
    }
    Writer& signedNumber(int value) { return number(static_cast<std::uint32_t>(value)); }
    Writer& text(const std::string& value) {
        number(static_cast<std::uint32_t>(value.size()));
        body_ += value;
        return *this;
    }
    Writer& bytes(const unsigned char* data, std::size_t size) {
        body_.append(reinterpret_cast<const char*>(data), size);
        return *this;
    }
    std::string message() const {
        std::string whole;
        appendNumber(whole, static_cast<std::uint32_t>(body_.size()));
        return whole + body_;
    }

private:
    std::string body_;
};

class Reader {
public:
    Reader(const std::string& body, const char* mark) : body_(body), at_(MarkLength) {
        if (body_.compare(0, MarkLength, mark) != 0) throw RenderProtocolError("Not a message of the page service");
    }
    std::uint32_t number() {
        need(4);
        const std::uint32_t value = numberAt(body_, at_);
        at_ += 4;
        return value;
    }
    int signedNumber() { return static_cast<int>(number()); }
    std::string text() {
        const std::uint32_t size = number();
        need(size);
        std::string value = body_.substr(at_, size);
        at_ += size;
        return value;
    }
    void bytes(unsigned char* data, std::size_t size) {
        need(size);
        body_.copy(reinterpret_cast<char*>(data), size, at_);
        at_ += size;
    }
    void end() const {
        if (at_ != body_.size()) throw RenderProtocolError("A message of the page service runs on");
    }

private:
    void need(std::size_t size) const {
        if (body_.size() - at_ < size) throw RenderProtocolError("A message of the page service ends early");
    }
    const std::string& body_;
    std::size_t at_;
};

// The body of the first whole message, taken off the buffer.
std::optional<std::string> takeBody(std::string& buffer) {
    if (buffer.size() < 4) return std::nullopt;
    const std::uint32_t size = numberAt(buffer, 0);
    if (size > MaxMessage) throw RenderProtocolError("A message of the page service is too long");
    if (buffer.size() - 4 < size) return std::nullopt;
    std::string body = buffer.substr(4, size);
    buffer.erase(0, 4 + static_cast<std::size_t>(size));
    return body;
}

}  // namespace

std::string encodeRequest(const PageRequest& request) {
    return Writer(RequestMark)
        .number(request.id)
        .text(request.path)
        .text(request.password)
        .signedNumber(request.page)
        .signedNumber(request.maxWidth)
        .signedNumber(request.maxHeight)
        .message();
}

std::string encodeAnswer(const PageAnswer& answer) {
    const PagePicture& picture = answer.picture;
    return Writer(AnswerMark)
        .number(answer.id)
        .text(answer.error)
        .text(answer.label)
        .signedNumber(picture.width)
        .signedNumber(picture.height)
        .bytes(picture.pixels.data(), picture.pixels.size())
        .message();
}

std::optional<PageRequest> takeRequest(std::string& buffer) {
    const std::optional<std::string> body = takeBody(buffer);
    if (!body) return std::nullopt;
    Reader reader(*body, RequestMark);
    PageRequest request;
    request.id = reader.number();
    request.path = reader.text();
    request.password = reader.text();
    request.page = reader.signedNumber();
    request.maxWidth = reader.signedNumber();
    request.maxHeight = reader.signedNumber();
    reader.end();
    return request;
}

std::optional<PageAnswer> takeAnswer(std::string& buffer) {
    const std::optional<std::string> body = takeBody(buffer);
    if (!body) return std::nullopt;
    Reader reader(*body, AnswerMark);
    PageAnswer answer;
    answer.id = reader.number();
    answer.error = reader.text();
    answer.label = reader.text();
    PagePicture& picture = answer.picture;
    picture.width = reader.signedNumber();
    picture.height = reader.signedNumber();
    if (picture.width < 0 || picture.height < 0 || picture.width > MaxPictureSide || picture.height > MaxPictureSide)
        throw RenderProtocolError("A picture of the page service has an impossible size");
    picture.pixels.resize(static_cast<std::size_t>(picture.width) * picture.height * 4);
    reader.bytes(picture.pixels.data(), picture.pixels.size());
    reader.end();
    return answer;
}
