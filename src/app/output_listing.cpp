#include "app/output_listing.h"

std::string listingLine(const WrittenOutput& output, const StoredProtectionUse& stored) {
    std::string line = output.path + " (" + std::to_string(output.pageCount) + (output.pageCount == 1 ? " page" : " pages");
    const bool password = output.passwordProtected && stored.password;
    const bool watermark = output.watermarked && stored.watermark;
    if (password || watermark)
        line += std::string(", ") + (password && watermark ? "password and watermark" : password ? "password" : "watermark") +
                " from the stored settings";
    return line + ")";
}
