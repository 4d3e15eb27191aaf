#include "finishing/job_encryption.h"

#include <qpdf/Buffer.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFWriter.hh>

JobEncryption::JobEncryption(const std::string& password) {
    QPDF empty;
    empty.emptyPDF();
    QPDFWriter writer(empty);
    writer.setOutputMemory();
    writer.setR6EncryptionParameters(password.c_str(), password.c_str(), true, true, true, true, true, true,
                                     qpdf_r3p_full, true);
    writer.write();
    bytes_ = writer.getBufferSharedPointer();
    protected_ = std::make_unique<QPDF>();
    protected_->processMemoryFile("protected empty document", reinterpret_cast<const char*>(bytes_->getBuffer()),
                                  bytes_->getSize(), password.c_str());
}

JobEncryption::~JobEncryption() = default;

void JobEncryption::applyTo(QPDFWriter& writer) const { writer.copyEncryptionParameters(*protected_); }
