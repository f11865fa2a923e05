// Throughput of zema-sim end to end: a long script in, JSON lines out to /dev/null.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace zema {

namespace {

constexpr long gamesInScript = 2000;
constexpr long framesPerGame = 100;

// Games of play frames one after the other: each game is started and walked right and left;
// the chaser, which stays on the craft from one game to the next, ends most of them.
const std::string& benchScript() {
    static const std::string path = [] {
        const std::string p = "/tmp/zema-sim-bench.script";
        std::ofstream out(p);
        for (long g = 0; g < gamesInScript; ++g)
            out << "enter\nframes 25 r\nspace\nframes 25 l\nenter\nframes 25 d\nframes 25 u\n";
        return p;
    }();
    return path;
}

void runSim(benchmark::State& state, const char* options) {
    const std::string command = std::string("'") + ZEMA_SIM_PATH + "' " + options + " < '" +
                                benchScript() + "' > /dev/null";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) state.SkipWithError("zema-sim failed");
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(state.iterations() * gamesInScript * framesPerGame),
                           benchmark::Counter::kIsRate);
}

void simPlain(benchmark::State& state) {
    runSim(state, "--seed 1");
}
void simWithDraws(benchmark::State& state) {
    runSim(state, "--seed 1 --draws");
}

} // namespace

BENCHMARK(simPlain)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();
BENCHMARK(simWithDraws)->Iterations(1)->Repetitions(5)->ReportAggregatesOnly(true)->UseRealTime();

} // namespace zema
