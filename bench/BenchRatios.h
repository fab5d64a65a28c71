#ifndef PARVOLIN_BENCH_RATIOS_H
#define PARVOLIN_BENCH_RATIOS_H

// Benchmarks are named "<work>/<subject>", for example "fillRect opaque 240x320/parvolin"
// and "fillRect opaque 240x320/memset". Every subject measures the same work and reports
// items (pixels) per second; after the run, each peer of a work is compared with the
// subject "parvolin" as the ratio of their rates (above 1: we are faster). With
// PARVOLIN_BENCH_RATIOS naming a file, the rates and ratios are also appended to it, one
// tab-separated line each, for the summary that `./parvolin bench` prints at the end.
namespace BenchRatios {

int runAll(int argc, char** argv);

} // namespace BenchRatios

#endif
