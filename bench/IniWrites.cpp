// The sample's application INI over runs of the program as its scripted run makes them: one
// frame (start-up and end), and the 1,000 frames in which it presses Start, types a name, tours
// the day and presses Quit. Each run goes on a fresh copy of the sample, headless on the stepped
// clock, in this process (the scripted run ends with Quit after some 630 frames). Counted: the
// INI's replacements in a run ("writes"), the frames it ran and the replacements per frame.
// Beside each run, the same run with its INI in a folder that is not there, where every write
// fails at once: the difference in time is what the INI's writes cost.
#include "launcher/Launcher.h"
#include "platform/PathResolver.h"

#include "FileWrites.h"
#include "TempFolder.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void runSample(benchmark::State& state)
{
    const std::string frames = std::to_string(state.range(0));
    const bool iniWritten = state.range(1) != 0;
    const std::string startFolder = platform::currentFolder();
    double writes = 0;
    double framesRun = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TempFolder sample;
        fs::copy(KESTRUM_SAMPLE_FOLDER, sample.path(), fs::copy_options::recursive);
        if (!iniWritten)
            std::ofstream(sample.file("Kestrum.ini"), std::ios::binary) << "[MAIN]\r\nINI=Nowhere\\Kestrum.ini\r\n";
        FileWrites iniWrites(sample.path(), "Kestrum.ini");
        iniWrites.take();
        platform::changeFolder(sample.path().string());
        const std::string frameTimes = sample.file("frametimes.txt");
        const std::vector<const char*> argv{"Kestrum", "-nogfx", "-input", KESTRUM_SAMPLE_SCRIPT,
                                            "-frames", frames.c_str(), "-frametimes", frameTimes.c_str()};
        state.ResumeTiming();

        Launcher launcher(static_cast<int>(argv.size()), argv.data());
        if (launcher.start() || launcher.run() != Launcher::kExitOk) {
            state.SkipWithError("the sample did not run");
            break;
        }

        state.PauseTiming();
        writes += iniWrites.take();
        const std::string times = sample.read("frametimes.txt");
        framesRun += static_cast<double>(std::count(times.begin(), times.end(), '\n'));
        platform::changeFolder(startFolder);
        state.ResumeTiming();
    }
    state.counters["writes"] = benchmark::Counter(writes, benchmark::Counter::kAvgIterations);
    state.counters["frames"] = benchmark::Counter(framesRun, benchmark::Counter::kAvgIterations);
    state.counters["writesPerFrame"] = framesRun > 0 ? writes / framesRun : 0;
}

} // namespace

BENCHMARK(runSample)
    ->Name("SampleRun")
    ->ArgNames({"frames", "iniWritten"})
    ->Args({1, 1})
    ->Args({1, 0})
    ->Args({1000, 1})
    ->Args({1000, 0})
    ->UseRealTime()
    ->ComputeStatistics("min", [](const std::vector<double>& times) { return *std::min_element(times.begin(), times.end()); })
    ->Unit(benchmark::kMillisecond);
