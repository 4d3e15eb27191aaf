#pragma once
#include <fstream>
#include <sstream>
#include <string>

#include "finishing/finisher.h"
#include "finishing/output_landing.h"

namespace fixtures {

// Finishes the PDF file at path in place, the way a job finishes its outputs:
// in memory, then written once over the file.
inline void finishFile(Finisher& finisher, const std::string& path) {
    NewOutput output;
    output.path = path;
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    output.pdf = SavedPdf::fromBytes(bytes.str());
    finisher.prepare();
    OutputLanding landing(nullptr);
    landing.stage({path}, [&](std::FILE* file) { finisher.writeFinished(output, file); });
    landing.land();
}

inline void finishFile(Finisher&& finisher, const std::string& path) { finishFile(finisher, path); }

}  // namespace fixtures
