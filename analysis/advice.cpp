// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/advice.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "analysis/euler_grid.h"
#include "analysis/exact_steady_state.h"
#include "analysis/method_steady_state.h"

namespace analysis {

namespace {

constexpr int32_t kLargestN = INT32_MAX - 1;  // N + 1 must fit an int32

// The search for N1 and NP1 of one circuit.
class Search {
 public:
  Search(double Is, double R, double C, double L, double f, RunMonitor* monitor)
      : circuit_(EulerGrid::At(Is, R, C, L, f, 0)),
        exact_peak_(ExactSteadyState::Of(Is, R, C, L, f)->peak_v()),
        monitor_(monitor) {}

  std::optional<Advice> Run() {
    Advice advice;
    const std::optional<int32_t> n_min = StabilityOf(At(kLargestN)).n_min;
    if (!n_min) return advice;
    // Upwards from the stability edge, led by the 1/N of the branch that
    // failed, until N to N + 3 all reach the target: lo fails, hi passes.
    // A step grows N at most eightfold: near the edge the error is not 1/N.
    int32_t lo = *n_min - 1, hi = std::max(*n_min, 3);
    for (double failed; !Passes(hi, &failed);) {
      if (stopped_) return std::nullopt;
      if (hi >= kLargestSteppedN) return Extrapolated(hi, failed);
      lo = hi;
      const double guess = std::isfinite(failed) ? 1.05 * hi * failed / kAdviceError : 0;
      hi = static_cast<int32_t>(std::min<double>(
          kLargestSteppedN, std::ceil(std::clamp(guess, 1.25 * hi + 1, 8.0 * hi))));
    }
    // Narrow [lo, hi] by the 1/N model of the worst branch at hi and by
    // halves in turn: a model alone may stall, halves alone take twenty
    // rounds.
    for (bool model = true; hi - lo > 1; model = !model) {
      int32_t mid = lo + (hi - lo) / 2;
      if (model) {
        const double guess = std::ceil(hi * Worst(hi) / kAdviceError);
        mid = static_cast<int32_t>(std::clamp<double>(guess, lo + 1, hi - 1));
      }
      const bool passes = Passes(mid);
      if (stopped_) return std::nullopt;
      (passes ? hi : lo) = mid;
    }
    advice.n = hi;
    // Past the stepped range (a stability edge beyond it), the settling of
    // N1 is estimated too: each NP tried would step N1 samples.
    if (hi > kLargestSteppedN) {
      advice.estimated = true;
      advice.np = EstimatedNP(hi);
      return advice;
    }
    const EulerGrid at = At(hi);
    const std::optional<MethodSteadyState> steady = MethodSteadyStateOf(at, Share());
    if (stopped_ || !steady) return std::nullopt;
    // 100 NP periods from rest (NP = 0 shown): the residual is 1 before the first.
    advice.np = SettlingNP(at, 0, *steady, StabilityOf(at), 1.0, Share());
    if (stopped_) return std::nullopt;
    return advice;
  }

 private:
  // The circuit with N = n and dt as a command derives it.
  EulerGrid At(int32_t n) const { return circuit_.WithN(n); }

  // Whether N = n to n + 3, one of each branch, all reach the target; the
  // first error that does not, in `failed`. The branches are three: an
  // even N, and an odd N whose N / 2 rounds down (N = 4j + 1: the seam copy
  // skips a sample) or up (N = 4j + 3: it copies nothing), the tie of
  // nearest(N / 2) going to the even side.
  bool Passes(int32_t n, double* failed = nullptr) {
    for (int32_t i = 0; i < 4 && n <= kLargestN - i; ++i) {
      const double error = Error(n + i);
      if (error <= kAdviceError) continue;
      if (failed != nullptr) *failed = error;
      return false;
    }
    return true;
  }

  // The largest error of N = n to n + 3; infinite where the method is
  // unstable or has no fixed point.
  double Worst(int32_t n) {
    double worst = 0;
    for (int32_t i = 0; i < 4 && n <= kLargestN - i; ++i) worst = std::max(worst, Error(n + i));
    return worst;
  }

  double Error(int32_t n) {
    if (stopped_) return NAN;
    for (const auto& [known, error] : errors_)
      if (known == n) return error;
    const EulerGrid at = At(n);
    double error = INFINITY;
    if (StabilityOf(at).stable) {
      const std::optional<MethodSteadyState> steady = MethodSteadyStateOf(at, Share());
      if (stopped_) return NAN;
      if (steady) error = std::fabs(steady->peak / exact_peak_ - 1);
    }
    errors_.emplace_back(n, error);
    stopped_ = monitor_ != nullptr && !monitor_->Continue(Done(errors_.size()));
    return error;
  }

  // Beyond the stepped range: the worst branch's error falls as 1/N from n
  // on.
  std::optional<Advice> Extrapolated(int32_t n, double failed) {
    Advice advice;
    advice.estimated = true;
    const double n1 = std::ceil(n * std::max(Worst(n), failed) / kAdviceError);
    if (stopped_) return std::nullopt;
    if (!(n1 <= kLargestN)) return advice;
    advice.n = static_cast<int32_t>(n1);
    advice.np = EstimatedNP(*advice.n);
    return advice;
  }

  // The NP whose 100 NP periods shrink the transient from 1 to
  // kSettledResidual at rho per period; none beyond the largest NP.
  std::optional<int32_t> EstimatedNP(int32_t n) {
    const double rho = StabilityOf(At(n)).rho;
    if (!(rho < 1)) return std::nullopt;
    const double np = std::ceil((1 + std::ceil(std::log(kSettledResidual) / std::log(rho))) / 100);
    if (!(np <= kMaxPeriodsShown)) return std::nullopt;
    return static_cast<int32_t>(np);
  }

  // The share of the work done after `evaluations` periods scanned: it
  // rises towards 1 without knowing how many there will be (about 20).
  static double Done(size_t evaluations) {
    return 1 - std::pow(0.9, static_cast<double>(evaluations));
  }

  // The monitor of the next period's scan, within its share of the work.
  RunMonitor* Share() {
    if (monitor_ == nullptr) return nullptr;
    share_.search = this;
    return &share_;
  }

  struct ScanShare : RunMonitor {
    Search* search = nullptr;
    double last = 0;  // the share reported last
    bool Continue(double within) override {
      const size_t done = search->errors_.size();
      const double from = Done(done), to = Done(done + 1);
      // The settling's scans come after the last error: the share holds.
      last = std::max(last, from + (to - from) * within);
      search->stopped_ = !search->monitor_->Continue(last);
      return !search->stopped_;
    }
  };

  EulerGrid circuit_;
  double exact_peak_;
  RunMonitor* monitor_;
  ScanShare share_;
  bool stopped_ = false;
  std::vector<std::pair<int32_t, double>> errors_;  // each N scanned once
};

}  // namespace

std::optional<Advice> AdviceFor(double Is, double R, double C, double L, double f,
                                RunMonitor* monitor) {
  return Search(Is, R, C, L, f, monitor).Run();
}

std::string AdviceSentence(const Advice& advice) {
  std::string text = "Per restare entro l'1 %: ";
  if (!advice.n) return text + "nessun N fino a 2147483646 basta.";
  if (advice.estimated) text += "circa ";
  text += "N = " + std::to_string(*advice.n);
  if (!advice.np)
    return text + ", ma il transitorio non si esaurisce neppure con NP = " +
           std::to_string(kMaxPeriodsShown) + ".";
  return text + ", NP = " + std::to_string(*advice.np) + ".";
}

}  // namespace analysis
