#include "structure/structure_request.h"

bool StructureRequest::takesWholeInputs() const {
    std::vector<std::vector<bool>> taken(inputs.size());
    for (const PageOrigin& page : pages) {
        if (page.input == PageOrigin::NoInput) continue;
        if (page.input >= inputs.size() || inputs[page.input].pageCount < 0) return false;
        std::vector<bool>& input = taken[page.input];
        input.resize(static_cast<std::size_t>(inputs[page.input].pageCount));
        if (page.sourcePage < 0 || static_cast<std::size_t>(page.sourcePage) >= input.size()) return false;
        input[static_cast<std::size_t>(page.sourcePage)] = true;
    }
    bool any = false;
    for (const std::vector<bool>& input : taken) {
        for (bool pageTaken : input)
            if (!pageTaken) return false;
        any = any || !input.empty();
    }
    return any;
}
