#pragma once
#include <cstddef>
#include <functional>

// Runs work on a thread with a stack of a gigabyte (reserved, only what is
// used takes memory) and waits for it; an exception work raises comes out
// here. PDFium copies a page by following every reference it holds,
// recursively: an entry reached through a chain of 40,000 objects overflows an
// ordinary thread's stack and ends the process. The thread is started on the
// first call and serves every later one (calls from several threads take
// turns; a call made from the thread itself runs at once). Where no such
// thread can be started (a process limit, no address space), work runs on the
// caller's thread.
void runOnDeepStack(const std::function<void()>& work);

// Starts a thread that runs entry(argument) with a stack of stackSize bytes
// and is never joined; false where the system refuses it. One per system.
bool startDetachedThread(std::size_t stackSize, void (*entry)(void*), void* argument);
