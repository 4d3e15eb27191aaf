#pragma once
#include <memory>
#include <string>

#include <qpdf/QPDF.hh>

// A libqpdf reader that says nothing on the console, with its own repair of
// damaged files on. Raises libqpdf's exceptions when the file cannot be read.
std::unique_ptr<QPDF> openQuietly(const std::string& fileName, const std::string& password);
