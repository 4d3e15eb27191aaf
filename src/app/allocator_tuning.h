#pragma once

// Keeps memory the jobs free in the process instead of handing it back to the
// system at once: a job makes and frees the same buffers for every output, and
// giving them back and taking them again cost a split of 1,000 pages a third
// of its time (system calls and page faults). Peak memory stays as it was.
void tuneAllocator();
