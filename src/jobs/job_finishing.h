#pragma once
#include "finishing/output_finisher.h"

// The finisher of a job's outputs: the protection its request asks for and
// the program's creator text. The run functions without a finisher of their
// own use it.
OutputFinisher finisherFor(const Protection& protection);
