#include "jobs/mix_request.h"

#include "jobs/request_error.h"

namespace {

MixCut cutOf(const MixMethodFields& fields, RequestField countField, RequestField startField) {
    const bool group = fields.method == MixMethod::EveryGroupOf;
    MixCut cut;
    cut.method = fields.method;
    cut.count = readCount(group ? fields.groupCount : fields.eachCount, countField);
    cut.start = readCount(group ? fields.groupStart : fields.eachStart, startField);
    return cut;
}

}  // namespace

void MixRequest::check() const {
    firstCut();
    secondCut();
}

MixCut MixRequest::firstCut() const { return cutOf(firstMethod, RequestField::FirstCount, RequestField::FirstStart); }

MixCut MixRequest::secondCut() const {
    return cutOf(secondMethod, RequestField::SecondCount, RequestField::SecondStart);
}
