#include "jobs/document_session.h"

#include <filesystem>
#include <stdexcept>

#include "jobs/finisher.h"

OpenedInput::OpenedInput(TPdf& pdf, const InputFile& input) : pdf_(pdf) {
    pdf_.setFileName(input.path());
    if (!input.password.empty()) pdf_.setPassword(input.password);
    try {
        pdf_.setActive(true);
    } catch (...) {
        pdf_.setPassword("");
        throw;
    }
}

OpenedInput::~OpenedInput() {
    closeQuietly(pdf_);
    pdf_.setPassword("");
}

void closeQuietly(TPdf& pdf) {
    try {
        pdf.setActive(false);
    } catch (...) {
    }
}

void appendPages(TPdf& output, TPdf& source, const std::vector<int>& pages) {
    const int available = source.PageCount();
    std::vector<int> taken;
    taken.reserve(pages.size());
    for (int page : pages)
        if (page >= 1 && page <= available) taken.push_back(page);
    if (taken.empty()) return;
    output.ImportPageList(source, taken, output.PageCount() + 1);
}

void writeOutput(TPdf& output, const std::string& path, Finisher& finisher) {
    output.SaveAs(path, TSaveOption::saNone, TPdfVersion::pvUnknown);
    output.setActive(false);
    finisher.finishOutputFile(path);
}

void refuseInputAsOutput(const std::string& path, const std::vector<InputFile>& inputs) {
    for (const InputFile& input : inputs) {
        std::error_code error;
        if (std::filesystem::equivalent(path, input.path(), error))
            throw std::runtime_error("Cannot create file \"" + path + "\". It is one of the files the job reads");
    }
}
