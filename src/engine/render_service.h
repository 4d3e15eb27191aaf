#pragma once

// The page-drawing process the window starts (the program with
// RenderServiceSwitch): it draws pages apart from the window, so that a file
// that makes PDFium crash or hang costs a picture, not the window, and
// needs no lock with the jobs the window runs.

// Serves the requests read from the `input` descriptor, answering each on
// `output`, until input ends. Returns 0 then, 1 when a request cannot be
// read or an answer cannot be written.
int serveRenderRequests(int input, int output);

// Serves standard input and output. Anything else that writes to standard
// output (a library's remark) goes to standard error instead, so that it
// cannot break an answer; the process ends with its parent.
int runRenderService();
