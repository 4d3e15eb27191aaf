#pragma once
#include <functional>
#include <string>
#include <vector>

#include <qpdf/QPDFObjectHandle.hh>

// Reading objects of documents that may be damaged: a value of the wrong
// type reads as missing instead of raising.

// The value of key in a dictionary (or a stream's dictionary); null otherwise.
QPDFObjectHandle entry(QPDFObjectHandle object, const std::string& key);
// The name's text ("/Off") or "" when object is no name.
std::string nameOf(QPDFObjectHandle object);
// The items of an array; none for anything else.
std::vector<QPDFObjectHandle> itemsOf(QPDFObjectHandle object);
bool isIndirectDictionary(QPDFObjectHandle object);

// The first of base, base+1, base+2, ... that is not taken.
std::string uniqueName(const std::string& base, const std::function<bool(const std::string&)>& taken);
