// The process's peak resident memory, as the kernel counts it, for benchmarks that print what a
// program of N files costs beside how long it takes.
#pragma once

namespace qm::bench {

// Starts counting the peak afresh from what is resident now (Linux: /proc/self/clear_refs).
void resetPeakMemory();
// The peak resident memory since the start or the last reset, in MiB (VmHWM); 0 when unknown.
double peakMemoryMiB();

}  // namespace qm::bench
