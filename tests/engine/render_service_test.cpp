#include <gtest/gtest.h>

#include <climits>

#include <fcntl.h>
#include <unistd.h>

#include "engine/render_protocol.h"
#include "engine/render_service.h"
#include "support/coloured_pdfs.h"
#include "support/damaged_pdfs.h"
#include "support/fixtures.h"

namespace {

TEST(RenderProtocol, MessagesSurviveTheTripInPieces) {
    const PageRequest request{7, "/tmp/a file.pdf", "pass\xC3\xA9", 41, 90, 120};
    PageAnswer answer;
    answer.id = 7;
    answer.label = "iv";
    answer.picture = {2, 1, {1, 2, 3, 255, 4, 5, 6, 255}};
    std::string requests = encodeRequest(request) + encodeRequest(request);
    std::string answers = encodeAnswer(answer);

    // Fed a byte at a time, nothing comes out before the message is whole.
    std::string buffer;
    std::vector<PageRequest> read;
    for (char byte : requests) {
        buffer += byte;
        while (auto taken = takeRequest(buffer)) read.push_back(*taken);
    }
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[1].path, request.path);
    EXPECT_EQ(read[1].password, request.password);
    EXPECT_EQ(read[1].page, 41);
    EXPECT_EQ(read[1].maxHeight, 120);
    EXPECT_TRUE(buffer.empty());

    const std::optional<PageAnswer> back = takeAnswer(answers);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->label, "iv");
    EXPECT_EQ(back->picture.width, 2);
    EXPECT_EQ(back->picture.pixels, answer.picture.pixels);
}

TEST(RenderProtocol, BytesThatAreNoMessageAreRefused) {
    std::string lengthOnly("\xFF\xFF\xFF\x7F", 4);
    std::string wrongKind = encodeAnswer(PageAnswer{});
    PageAnswer huge;
    huge.picture.width = MaxPictureSide + 1;
    std::string impossibleSize = encodeAnswer(huge);
    std::string cutShort = encodeRequest(PageRequest{});
    cutShort[0] = static_cast<char>(cutShort[0] - 2);  // the body claims less than it holds
    cutShort.resize(cutShort.size() - 2);
    EXPECT_THROW(takeRequest(lengthOnly), RenderProtocolError);
    EXPECT_THROW(takeRequest(wrongKind), RenderProtocolError);
    EXPECT_THROW(takeAnswer(impossibleSize), RenderProtocolError);
    EXPECT_THROW(takeRequest(cutShort), RenderProtocolError);
}

// Requests read from one file, answers written to another, in order.
TEST(RenderService, AnswersEachRequestInOrder) {
    fixtures::TempDir dir;
    fixtures::writeFile(dir.file("colours.pdf"), fixtures::colouredPdf({{}, {}}, true));
    fixtures::writeFile(dir.file("garbage.pdf"), "not a PDF");
    fixtures::writeMarkedPdf(dir.file("locked.pdf"), "L", 1, fixtures::PdfOptions().withPassword("pw"));
    const std::vector<PageRequest> requests = {
        {1, dir.file("colours.pdf"), "", 1, 50, 50},  {2, dir.file("garbage.pdf"), "", 0, 50, 50},
        {3, dir.file("colours.pdf"), "", 2, 50, 50},  {4, dir.file("locked.pdf"), "", 0, 50, 50},
        {5, dir.file("locked.pdf"), "pw", 0, 50, 50}, {6, dir.file("colours.pdf"), "", INT_MAX, 50, 50},
        {7, dir.file("colours.pdf"), "", -1, 50, 50},
    };
    std::string input;
    for (const PageRequest& request : requests) input += encodeRequest(request);
    fixtures::writeFile(dir.file("requests"), input);

    const int in = ::open(dir.file("requests").c_str(), O_RDONLY);
    const int out = ::open(dir.file("answers").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(in, 0);
    ASSERT_GE(out, 0);
    EXPECT_EQ(serveRenderRequests(in, out), 0);
    ::close(in);
    ::close(out);

    std::string output = fixtures::readFile(dir.file("answers"));
    std::vector<PageAnswer> answers;
    while (auto answer = takeAnswer(output)) answers.push_back(*answer);
    ASSERT_EQ(answers.size(), requests.size());
    const std::string drawn;
    struct Expected {
        std::uint32_t id;
        std::string error, label;
        int width;
    } expected[] = {
        {1, drawn, "ii", 25},
        {2, "File not in PDF format or corrupted", "", 0},
        {3, "The document has no page 3", "", 0},
        {4, "Password required or incorrect password", "", 0},
        {5, drawn, "", 39},
        {6, "The document has no page 2147483648", "", 0},
        {7, "The document has no page 0", "", 0},
    };
    for (std::size_t i = 0; i < answers.size(); ++i) {
        EXPECT_EQ(answers[i].id, expected[i].id);
        EXPECT_EQ(answers[i].error, expected[i].error) << i;
        EXPECT_EQ(answers[i].label, expected[i].label) << i;
        EXPECT_EQ(answers[i].picture.width, expected[i].width) << i;
    }
}

}  // namespace
