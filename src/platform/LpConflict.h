// Platform: the rows of an infeasible linear program that cannot all hold.
#pragma once

#include <array>

#include "platform/LpSolver.h"

// Rows of a linear program, by row number 1..m.
struct LpRowSet {
  int count = 0;
  std::array<int, kLpMaxRows> rows{};
};

// The rows of an infeasible program that cannot all hold together, none of
// them to spare (an irreducible infeasible subset), by the deletion filter of
// Chinneck & Dravnieks, "Locating minimal infeasible constraint sets in linear
// programs", ORSA Journal on Computing 3 (1991) 157-168: each candidate row
// in turn is relaxed and the program solved again from the kept basis; when
// it stays infeasible the row is not needed and stays relaxed, otherwise it
// belongs to the set and holds again. Rows that are not candidates always
// hold.
//
// `rows` holds the candidates and receives the set, in the candidates' order.
// Returns Infeasible with the set (empty when the other rows alone cannot
// hold); any other status, with an empty set, when the program is not
// infeasible or a solve failed. Every row holds again afterwards.
LpStatus FindConflictingRows(LpSolver& solver, LpRowSet& rows);
