// Finishes one file in place, as every job does after saving an output:
// finish_bench FILE [--password TEXT] [--watermark PICTURE X Y]
#include <cstring>
#include <iostream>

#include "finishing/output_finisher.h"
#include "base/application.h"
#include "support/finish_file.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: finish_bench FILE [--password TEXT] [--watermark PICTURE X Y]\n";
        return 2;
    }
    Protection protection;
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--password") == 0 && i + 1 < argc) {
            protection.outputPassword = argv[++i];
        } else if (std::strcmp(argv[i], "--watermark") == 0 && i + 3 < argc) {
            protection.watermarkPath = argv[++i];
            protection.watermarkX = argv[++i];
            protection.watermarkY = argv[++i];
        } else {
            std::cerr << "unknown argument: " << argv[i] << '\n';
            return 2;
        }
    }
    try {
        fixtures::finishFile(OutputFinisher(protection, CreatorText), argv[1]);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
}
