// SPDX-FileCopyrightText: 2026 The rlc-parallelo authors
// SPDX-License-Identifier: GPL-3.0-or-later
// What watches a long piece of work and may stop it.
#pragma once

namespace analysis {

// Watches a long run: told how far it has come, it may stop it.
class RunMonitor {
 public:
  virtual ~RunMonitor() = default;
  // Called between groups of steps, about every 32768 steps (or elements
  // written), with the share of the work done so far (0 to 1). Returns false
  // to stop the work there.
  virtual bool Continue(double share_done) = 0;
};

}  // namespace analysis
