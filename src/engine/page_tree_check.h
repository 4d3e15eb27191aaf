#pragma once
#include <memory>
#include <string>

class QPDF;

// Tells whether the /Parent chain of a page of fileName leads back into
// itself (or runs deeper than any real page tree), as a reader climbing it
// for inherited entries would find. The bytes are searched, and the objects
// packed in object streams are unpacked and searched too (with libqpdf,
// which reads nothing else of the file for it); a circle found that way is
// confirmed by libqpdf reading the page tree, since it may be an old
// definition an update replaced. A file that cannot be read has no loop.
// Never raises, never writes to the console. When parsed is given, it
// receives libqpdf's reading of the file if the check made one (null
// otherwise), so that whoever reads the file with libqpdf next does not
// parse it again.
bool parentChainLoops(const std::string& fileName, const std::string& password,
                      std::shared_ptr<QPDF>* parsed = nullptr);

// Whether a page of the document libqpdf has read has a looping /Parent chain.
bool anyParentLoop(QPDF& pdf);
