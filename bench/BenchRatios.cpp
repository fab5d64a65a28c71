#include "BenchRatios.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace BenchRatios {

namespace {

struct Measure {
    std::string work;
    std::string subject;
    double itemsPerSecond;
};

// Keeps the console output and remembers one rate per benchmark: the median when the run
// was repeated, else the single run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            bool aggregate = run.run_type == Run::RT_Aggregate;
            if (aggregate && run.aggregate_name != "median")
                continue;
            auto counter = run.counters.find("items_per_second");
            if (counter == run.counters.end())
                continue;
            std::string name = run.run_name.str();
            // Benchmarks timed by the clock on the wall carry that in their name.
            for (const char* timing : {"/real_time", "/manual_time"}) {
                size_t at = name.rfind(timing);
                if (at != std::string::npos && at + std::strlen(timing) == name.size())
                    name.erase(at);
            }
            size_t slash = name.rfind('/');
            if (slash == std::string::npos)
                continue;
            std::string key = name;
            if (aggregate)
                medians[key] = true;
            else if (medians.count(key))
                continue;
            rates[key] = Measure{name.substr(0, slash), name.substr(slash + 1), counter->second.value};
            if (order.empty() || order.back() != key) {
                bool seen = false;
                for (const std::string& k : order)
                    seen = seen || k == key;
                if (!seen)
                    order.push_back(key);
            }
        }
    }

    // Rates in millions of items (pixels, characters) per second; slow items (frames)
    // per second as they are.
    void printRatios() const
    {
        std::printf("\n%-44s %-16s %14s %10s\n", "work", "peer", "rate", "ours/peer");
        for (const std::string& key : order) {
            const Measure& m = rates.at(key);
            char rate[32];
            if (m.itemsPerSecond >= 1e7)
                std::snprintf(rate, sizeof rate, "%.1f M/s", m.itemsPerSecond / 1e6);
            else
                std::snprintf(rate, sizeof rate, "%.1f /s", m.itemsPerSecond);
            auto ours = rates.find(m.work + "/parvolin");
            if (m.subject == "parvolin" || ours == rates.end()) {
                std::printf("%-44s %-16s %14s\n", m.work.c_str(), m.subject.c_str(), rate);
                continue;
            }
            std::printf("%-44s %-16s %14s %10.2f\n", m.work.c_str(), m.subject.c_str(), rate,
                        ours->second.itemsPerSecond / m.itemsPerSecond);
        }
    }

    // Every rate and ratio appended to `path` as tab-separated lines (work, subject, items
    // per second, ours/subject or empty), for the summary of a whole run.
    void appendRatios(const char* path) const
    {
        FILE* file = std::fopen(path, "a");
        if (!file)
            return;
        for (const std::string& key : order) {
            const Measure& m = rates.at(key);
            auto ours = rates.find(m.work + "/parvolin");
            std::fprintf(file, "%s\t%s\t%.1f\t", m.work.c_str(), m.subject.c_str(), m.itemsPerSecond);
            if (m.subject != "parvolin" && ours != rates.end())
                std::fprintf(file, "%.2f", ours->second.itemsPerSecond / m.itemsPerSecond);
            std::fprintf(file, "\n");
        }
        std::fclose(file);
    }

private:
    std::map<std::string, Measure> rates;
    std::map<std::string, bool> medians;
    std::vector<std::string> order;
};

} // namespace

int runAll(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    if (const char* path = std::getenv("PARVOLIN_BENCH_RATIOS"))
        reporter.appendRatios(path);
    benchmark::Shutdown();
    return 0;
}

} // namespace BenchRatios
