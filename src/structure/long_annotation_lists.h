#pragma once
#include <set>
#include <string>

#include <qpdf/QPDF.hh>

// libqpdf makes an object of several hundred bytes for every reference of an
// array it reads, whether or not the reference is followed: a page listing a
// million annotations costs hundreds of megabytes as soon as the page is
// read. Before anything of pdf (read from the file at path) is read, every
// page whose /Annots array (its own, or an object of its own) lists more
// than MostPageAnnotations entries has that array read here, without
// libqpdf, and put in libqpdf's place cut to the first MostPageAnnotations.
// Returns the pages so shortened. Encrypted files and objects packed in
// object streams are left to libqpdf, as is any object this reading does not
// understand.
std::set<QPDFObjGen> shortenLongAnnotationLists(QPDF& pdf, const std::string& path);
