#pragma once

#include <memory>
#include <vector>

#include "DemoCases.h"
#include "optimization/FeedCostObjective.h"

// The three cases of the thorough search as plain bounded minimisation
// problems, each starting from its classic result: the demo's diet
// optimization (the free coordinates in [7, 15], the last diet's feed amount
// held), the demo's calibration and the hard farm's (B0..B4, B3 on a log
// scale). Single-threaded: for comparing the candidate searches.

class BenchProblem {
 public:
  virtual ~BenchProblem() = default;
  virtual int Dimension() const = 0;
  virtual std::vector<double> Lower() const = 0;
  virtual std::vector<double> Upper() const = 0;
  virtual std::vector<double> Start() const = 0;  // the classic result
  virtual double StartScore() const = 0;
  virtual double Score(const std::vector<double>& x) = 0;
};

// The demo's diet optimization after its classic search.
std::unique_ptr<BenchProblem> MakeDietProblem();
// The demo's calibration, or the hard farm's, after the classic fit.
std::unique_ptr<BenchProblem> MakeFitProblem(bool hardFarm);
