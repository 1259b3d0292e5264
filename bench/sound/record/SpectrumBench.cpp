// One spectrum (feed of the whole window and the transform) beside a plain DFT of the same
// size, whose result it must match. The window sizes are the benchmark's arguments.
#include <benchmark/benchmark.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <numeric>
#include <random>
#include <vector>

#include "sound/record/SpectrumAnalyser.h"

namespace {

std::vector<i16> noise(u32 points) {
    std::mt19937 random(11);
    std::vector<i16> out(points);
    for (i16& s : out) s = i16(random());
    return out;
}

void plainDft(const std::vector<i16>& x, std::vector<std::complex<double>>* out) {
    const size_t n = x.size();
    out->assign(n, {});
    for (size_t k = 0; k < n; ++k) {
        std::complex<double> sum;
        for (size_t t = 0; t < n; ++t) sum += double(x[t]) * std::polar(1.0, -2.0 * std::numbers::pi * double(k * t % n) / double(n));
        (*out)[k] = sum;
    }
}

void Fft(benchmark::State& state) {
    const u32 points = u32(state.range(0));
    const std::vector<i16> x = noise(points);
    SpectrumAnalyser analyser(points, 22050);
    for (auto _ : state) {
        analyser.Feed(x.data(), points);
        analyser.Transform();
        benchmark::DoNotOptimize(analyser.Result().data());
    }
    std::vector<std::complex<double>> check;
    plainDft(x, &check);
    for (u32 k = 0; k < points; ++k)
        if (std::abs(analyser.Result()[k] - check[k]) > 1e-6 * points * 32768) state.SkipWithError("spectrum differs from the DFT");
    state.SetItemsProcessed(int64_t(state.iterations()));
}

void PlainDft(benchmark::State& state) {
    const u32 points = u32(state.range(0));
    const std::vector<i16> x = noise(points);
    std::vector<std::complex<double>> out;
    for (auto _ : state) {
        plainDft(x, &out);
        benchmark::DoNotOptimize(out.data());
    }
    if (std::abs(out[0] - std::complex<double>(std::accumulate(x.begin(), x.end(), 0.0), 0)) > 1e-3)
        state.SkipWithError("DC bin is not the sum");
    state.SetItemsProcessed(int64_t(state.iterations()));
}

BENCHMARK(Fft)->Arg(256)->Arg(1024)->Arg(4096);
BENCHMARK(PlainDft)->Arg(256)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);

}  // namespace
