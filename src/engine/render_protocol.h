#pragma once
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "engine/page_renderer.h"

// How the window asks a page-drawing process for pictures: the program
// started with RenderServiceSwitch reads requests on its standard input and
// answers each, in order, on its standard output. Every message is its length
// (4 bytes, least significant first) and that many bytes.
inline constexpr const char* RenderServiceSwitch = "--render-service";

struct PageRequest {
    std::uint32_t id = 0;
    std::string path;
    std::string password;
    int page = 0;  // 0-based
    int maxWidth = 0;
    int maxHeight = 0;
};

struct PageAnswer {
    std::uint32_t id = 0;  // the request's
    std::string error;     // why the page was not drawn; "" when it was
    std::string label;     // the page label, "" when none
    PagePicture picture;
};

// A message that cannot be one: the other side is not the service, or broken.
class RenderProtocolError : public std::runtime_error {
public:
    explicit RenderProtocolError(const std::string& message) : std::runtime_error(message) {}
};

std::string encodeRequest(const PageRequest& request);
std::string encodeAnswer(const PageAnswer& answer);

// Take the first whole message off the front of buffer; nothing while it is
// still incomplete. Raise RenderProtocolError for bytes that are no message.
std::optional<PageRequest> takeRequest(std::string& buffer);
std::optional<PageAnswer> takeAnswer(std::string& buffer);
