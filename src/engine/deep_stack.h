#pragma once
#include <functional>

// Runs work on a thread of its own with a stack of a gigabyte (reserved, only
// what is used takes memory) and waits for it; an exception work raises comes
// out here. PDFium copies a page by following every reference it holds,
// recursively: an entry reached through a chain of 40,000 objects overflows an
// ordinary thread's stack and ends the process. Where no such thread can be
// started (a process limit, no address space), work runs on the caller's
// thread.
void runOnDeepStack(const std::function<void()>& work);
