#include "engine/quiet_qpdf.h"

#include <qpdf/QPDFLogger.hh>

#include "base/file_block_source.h"

namespace {

std::shared_ptr<QPDFLogger> silentLogger() {
    auto logger = QPDFLogger::create();
    logger->setInfo(logger->discard());
    logger->setWarn(logger->discard());
    logger->setError(logger->discard());
    return logger;
}

}  // namespace

std::unique_ptr<QPDF> openQuietly(const std::string& fileName, const std::string& password) {
    auto pdf = std::make_unique<QPDF>();
    pdf->setLogger(silentLogger());
    pdf->setSuppressWarnings(true);
    // Read in blocks: libqpdf's own file reader seeks the file for every object.
    pdf->processInputSource(std::make_shared<FileBlockSource>(fileName), password.empty() ? nullptr : password.c_str());
    return pdf;
}
