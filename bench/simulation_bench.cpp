// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// The checked simulation beside the fastest unchecked loop of the same
// statements that we know: the same four statements in the same grouping,
// the running state of sample k kept in locals, no range, result or
// overflow checks. It gives the same bits. BM_CheckedVsUnchecked alternates
// the two inside each iteration so that both see the same machine state, and
// reports their ratio: the checks may cost at most 5 %.
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include <benchmark/benchmark.h>

#include "analysis/analysis.h"

namespace {

using analysis::CircuitState;

CircuitState LoadedState(int64_t n, int64_t np) {
  CircuitState state;
  analysis::ReadParameters(
      state, {"1", "400", "1e-5", "0.1", "159", std::to_string(n), std::to_string(np)});
  return state;
}

// The same allocation and the same four statements, seam and wrap copies as
// RunSimulation(state, false), with no range, result or overflow checks.
void RunUnchecked(CircuitState& state) {
  const int32_t n = state.N;
  for (analysis::SampleArray* a : {&state.is_t, &state.v_t, &state.iC_t, &state.iL_t})
    a->Allocate(n + 1);
  double* is = state.is_t.data();
  double* v = state.v_t.data();
  double* ic = state.iC_t.data();
  double* il = state.iL_t.data();
  const double G = state.G, dt = state.dt, L = state.L, C = state.C, Is = state.Is;
  const int32_t m1 = analysis::NearestInt32(n / 2.0);
  const int32_t m2 = analysis::NearestInt32(n / 2.0 + 1.0);
  auto half_period = [&](int32_t first, int32_t last, double source) {
    if (first > last) return;
    double vk = v[first], ilk = il[first];
    for (int32_t k = first; k <= last; ++k) {
      is[k] = source;
      const double ick = (source - ilk) - (G * vk);
      ic[k] = ick;
      const double v_next = ((dt * ick) / C) + vk;
      const double il_next = ((dt * vk) / L) + ilk;
      il[k + 1] = il_next;
      v[k + 1] = v_next;
      vk = v_next;
      ilk = il_next;
    }
  };
  for (int32_t cycle = 1; cycle <= 100 * state.NP; ++cycle) {
    half_period(1, m1, Is);
    v[m2] = v[m1];
    ic[m2] = ic[m1];
    il[m2] = il[m1];
    half_period(m2, n, 0.0);
    v[1] = v[n];
    il[1] = il[n];
    ic[1] = ic[n];
  }
}

void BM_RunSimulation(benchmark::State& bench) {
  CircuitState state = LoadedState(bench.range(0), bench.range(1));
  for (auto _ : bench) {
    analysis::RunSimulation(state, false);
    benchmark::DoNotOptimize(state.v_t.data());
    benchmark::ClobberMemory();
  }
  bench.counters["steps/s"] =
      benchmark::Counter(100.0 * state.NP * state.N, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_UncheckedLoop(benchmark::State& bench) {
  CircuitState state = LoadedState(bench.range(0), bench.range(1));
  for (auto _ : bench) {
    RunUnchecked(state);
    benchmark::DoNotOptimize(state.v_t.data());
    benchmark::ClobberMemory();
  }
  bench.counters["steps/s"] =
      benchmark::Counter(100.0 * state.NP * state.N, benchmark::Counter::kIsIterationInvariantRate);
}

void BM_CheckedVsUnchecked(benchmark::State& bench) {
  CircuitState checked = LoadedState(bench.range(0), bench.range(1));
  CircuitState unchecked = LoadedState(bench.range(0), bench.range(1));
  using Clock = std::chrono::steady_clock;
  Clock::duration checked_time{}, unchecked_time{};
  for (auto _ : bench) {
    const auto t0 = Clock::now();
    analysis::RunSimulation(checked, false);
    benchmark::DoNotOptimize(checked.v_t.data());
    benchmark::ClobberMemory();
    const auto t1 = Clock::now();
    RunUnchecked(unchecked);
    benchmark::DoNotOptimize(unchecked.v_t.data());
    benchmark::ClobberMemory();
    const auto t2 = Clock::now();
    checked_time += t1 - t0;
    unchecked_time += t2 - t1;
  }
  const double iterations = static_cast<double>(bench.iterations());
  const double checked_ms = std::chrono::duration<double, std::milli>(checked_time).count();
  const double unchecked_ms = std::chrono::duration<double, std::milli>(unchecked_time).count();
  bench.counters["checked_ms"] = checked_ms / iterations;
  bench.counters["unchecked_ms"] = unchecked_ms / iterations;
  bench.counters["ratio"] = checked_ms / unchecked_ms;
  for (int32_t k = 0; k <= checked.N + 1; ++k) {
    if (checked.v_t.at(k) != unchecked.v_t.at(k) || checked.iC_t.at(k) != unchecked.iC_t.at(k) ||
        checked.iL_t.at(k) != unchecked.iL_t.at(k) || checked.is_t.at(k) != unchecked.is_t.at(k)) {
      bench.SkipWithError("results differ");
      break;
    }
  }
}

// What a command adds after its run: the exact steady state, the method's
// own, its stability and N_min, and the residual of the run.
void BM_AssessAccuracy(benchmark::State& bench) {
  CircuitState state = LoadedState(bench.range(0), bench.range(1));
  analysis::RunSimulation(state, false);
  analysis::FindPeakV(state);
  for (auto _ : bench) {
    analysis::Accuracy accuracy = analysis::AssessAccuracy(state);
    benchmark::DoNotOptimize(accuracy);
  }
}

// The advice where a box shows it: N1 and NP1 of the defaults' circuit
// (R = 400 ohm) and of the high-Q one (R = 1e5 ohm), by R in ohm.
void BM_Advice(benchmark::State& bench) {
  for (auto _ : bench) {
    std::optional<analysis::Advice> advice =
        analysis::AdviceFor(1, static_cast<double>(bench.range(0)), 1e-5, 0.1, 159);
    benchmark::DoNotOptimize(advice);
  }
}

// What the window of the frequency response computes for the last run: the
// curve on the default range (exact and Euler at the run's N, one period of
// N samples a point) and the harmonic table of its f.
void BM_FrequencyResponseDefaults(benchmark::State& bench) {
  const CircuitState state = LoadedState(bench.range(0), 10);
  const analysis::CurveRange range = analysis::DefaultCurveRange(state);
  for (auto _ : bench) {
    std::optional<analysis::FrequencyResponse> response =
        analysis::FrequencyResponseOf(state, range);
    benchmark::DoNotOptimize(response);
  }
}

BENCHMARK(BM_Advice)->Arg(400)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RunSimulation)->Args({1000, 10})->Args({10000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UncheckedLoop)->Args({1000, 10})->Args({10000, 100})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AssessAccuracy)->Args({1000, 10})->Args({1000000, 10})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FrequencyResponseDefaults)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CheckedVsUnchecked)
    ->Args({1000, 10})
    ->Args({10000, 100})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
