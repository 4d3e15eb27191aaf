#include "jobs/request_error.h"

#include <optional>

#include "base/whole_number.h"

int readCount(const std::string& text, RequestField field) {
    const std::optional<int> value = parseWholeNumber(text);
    if (!value) throw RequestError(field, text, "'" + text + "' is not a valid integer value");
    // A negative number would make a walk count up from far below page 1.
    if (*value < 0)
        throw RequestError(field, text, "'" + text + "' is not a valid integer value: it must be 0 or more");
    return *value;
}
