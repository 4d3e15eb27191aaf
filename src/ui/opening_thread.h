#pragma once
#include "ui/input_probe.h"

// `open` run on a worker thread of its own, while the calling thread (the
// window's) goes on handling its events but the user's input, so that the
// window repaints during a slow open. The passwords the open asks for are
// asked for on the calling thread, the worker waiting for the answer; the
// call returns once the open has, with its document or its error.
InputProbe::Open openOnWorkerThread(InputProbe::Open open);
