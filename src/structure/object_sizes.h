#pragma once
#include <cstddef>
#include <map>
#include <vector>

#include <qpdf/QPDF.hh>

// What reading an object with libqpdf costs, so that an object can be weighed
// before it is read: libqpdf keeps every object it has read for as long as the
// input is open, at about 400 bytes for each reference an object holds and
// over 1 KB for each small dictionary (one array of a million references takes
// hundreds of megabytes), and it reads the objects packed in an object stream
// all together.
class ObjectSizes {
public:
    explicit ObjectSizes(QPDF& pdf);
    // The bytes libqpdf parses to read the object: its text (with the data,
    // for a stream), or for a packed object the text of every object of its
    // object stream. 0 when unknown: a direct object, one the cross-reference
    // table lacks, or the last one of a file whose length is unknown.
    std::size_t of(QPDFObjGen id);
    // The object stream a packed object is read with; -1 for any other.
    int streamOf(QPDFObjGen id) const;

    // Where the objects of pdf's file (not packed ones) whose text takes at
    // least bytes begin in it; without the table of every object's size.
    static std::vector<std::pair<QPDFObjGen, qpdf_offset_t>> fileObjectsOfAtLeast(QPDF& pdf, std::size_t bytes);

private:
    struct Place {
        QPDFObjGen id;
        int stream;        // -1 for an object of the file
        std::size_t size;  // of an object of the file
    };
    const Place* find(QPDFObjGen id) const;
    std::size_t packedBytes(int stream);

    QPDF& pdf_;
    std::vector<Place> places_;               // by id; libqpdf copies its whole table at every look-up
    std::map<int, std::size_t> streamBytes_;  // object stream -> the bytes of its objects
};
