#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "structure/picture_stubs.h"

// What PDFium is given to copy pages from, for a large input: the file at
// path as libqpdf reads it (decrypted with password), written anew in memory
// with every picture of at least minimumBytes that a page draws as a stub
// (see picture_stubs.h) and every page's annotations past
// MostPageAnnotations left out (they are not carried either). Nothing when
// neither applies. Raises when libqpdf cannot read or write the file.
std::optional<std::string> rewriteForImport(const std::string& path, const std::string& password,
                                            std::int64_t minimumBytes = PictureStubBytes);
