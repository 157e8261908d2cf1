// Speed of the GIF colour reduction on full-screen pictures, learning and
// mapping apart and together, beside the plain reference quantiser of the
// tests. Every benchmark of the program's quantiser carries the counter x_ref:
// how many times faster than the reference it ran the same work (wall-clock
// time; the mapping uses several threads).
#include "bench/BenchPictures.h"
#include "capture/NeuQuant.h"
#include "tests/capture/NeuQuantReference.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

enum class Phase { Learn, Map, Both };

const char* PhaseName(Phase phase) {
    switch (phase) {
    case Phase::Learn:
        return "Learn";
    case Phase::Map:
        return "Map";
    default:
        return "Both";
    }
}

struct Subject {
    const char* name;
    bool desktop;
    int width;
    int height;
};

const Subject kSubjects[] = {
    {"Desktop1080p", true, 1920, 1080},
    {"Desktop2160p", true, 3840, 2160},
    {"Noise1080p", false, 1920, 1080},
    {"Noise2160p", false, 3840, 2160},
};

const bench::Picture& PictureOf(const Subject& subject) {
    static std::map<std::string, bench::Picture> pictures;
    auto it = pictures.find(subject.name);
    if (it == pictures.end())
        it = pictures
                 .emplace(subject.name, subject.desktop ? bench::DesktopPicture(subject.width, subject.height)
                                                        : bench::NoisePicture(subject.width, subject.height))
                 .first;
    return it->second;
}

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Seconds of one run of the reference, by subject and phase, as its own
// benchmark measured it or, when that did not run, measured once here.
std::map<std::string, double>& ReferenceSeconds() {
    static std::map<std::string, double> seconds;
    return seconds;
}

std::string Key(const Subject& subject, Phase phase) {
    return std::string(subject.name) + "/" + PhaseName(phase);
}

// One run of `phase` of the reference; the map phase is timed after a learn.
double TimeReferenceOnce(const bench::Picture& pic, Phase phase) {
    auto ref = std::make_unique<NeuQuantReference>();
    if (phase == Phase::Map)
        ref->Learn(pic.bgrx.data(), pic.width, pic.height, pic.Stride(), 32);
    const Clock::time_point start = Clock::now();
    if (phase == Phase::Learn)
        benchmark::DoNotOptimize(ref->Learn(pic.bgrx.data(), pic.width, pic.height, pic.Stride(), 32));
    else if (phase == Phase::Map)
        benchmark::DoNotOptimize(ref->Map(pic.bgrx.data(), pic.width, pic.height, pic.Stride(), 32));
    else
        benchmark::DoNotOptimize(ref->Run(pic.bgrx.data(), pic.width, pic.height, pic.Stride(), 32));
    return Seconds(Clock::now() - start);
}

void Reference(benchmark::State& state, Subject subject, Phase phase) {
    const bench::Picture& pic = PictureOf(subject);
    double total = 0;
    for (auto _ : state) {
        const double s = TimeReferenceOnce(pic, phase);
        state.SetIterationTime(s);
        total += s;
    }
    ReferenceSeconds()[Key(subject, phase)] = total / static_cast<double>(state.iterations());
    state.SetItemsProcessed(state.iterations() * pic.width * pic.height);
}

void Quantiser(benchmark::State& state, Subject subject, Phase phase, bool wide, int threads) {
    const bench::Picture& pic = PictureOf(subject);
    std::vector<std::uint8_t> indices(static_cast<std::size_t>(pic.width) * pic.height);
    auto quantiser = std::make_unique<NeuQuant>(wide, threads);
    if (phase == Phase::Map)
        quantiser->Learn(pic.bgrx.data(), pic.width, pic.height, pic.Stride(), 32);
    const Clock::time_point start = Clock::now();
    for (auto _ : state) {
        if (phase == Phase::Learn)
            quantiser->Learn(pic.bgrx.data(), pic.width, pic.height, pic.Stride(), 32);
        else if (phase == Phase::Map)
            quantiser->Map(pic.bgrx.data(), pic.width, pic.height, pic.Stride(), 32, indices.data(),
                           pic.width);
        else
            quantiser->Quantise(pic.bgrx.data(), pic.width, pic.height, pic.Stride(), 32, indices.data(),
                                pic.width);
        benchmark::DoNotOptimize(indices.data());
        benchmark::DoNotOptimize(quantiser->Palette().data());
        benchmark::ClobberMemory();
    }
    const double perIteration = Seconds(Clock::now() - start) / static_cast<double>(state.iterations());
    auto known = ReferenceSeconds().find(Key(subject, phase));
    const double reference =
        known != ReferenceSeconds().end() ? known->second : TimeReferenceOnce(pic, phase);
    state.counters["x_ref"] = benchmark::Counter(reference / perIteration);
    state.SetItemsProcessed(state.iterations() * pic.width * pic.height);
}

// The reference of each subject and phase first, then the program's
// quantiser on the same work: as shipped (AVX2 where the processor has it,
// one mapping thread per processor), and on the base instruction set or one
// thread for the whole job.
[[maybe_unused]] const bool kRegistered = [] {
    for (const Subject& subject : kSubjects) {
        for (Phase phase : {Phase::Learn, Phase::Map, Phase::Both}) {
            const std::string name = std::string(subject.name) + "/" + PhaseName(phase);
            benchmark::RegisterBenchmark(("Reference/" + name).c_str(), Reference, subject, phase)
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("NeuQuant/" + name).c_str(), Quantiser, subject, phase, true, 0)
                ->UseRealTime()
                ->Unit(benchmark::kMillisecond);
        }
        benchmark::RegisterBenchmark(("NeuQuantBase/" + std::string(subject.name) + "/Both").c_str(),
                                     Quantiser, subject, Phase::Both, false, 0)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("NeuQuantOneThread/" + std::string(subject.name) + "/Both").c_str(),
                                     Quantiser, subject, Phase::Both, true, 1)
            ->UseRealTime()
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
