// Model: the built-in example herd and diets.
#pragma once

struct GrowthState;

// The built-in example: a group of weanling pigs from 6.2 kg at 21 days to
// 25 kg on three nursery diets (3, 8 and 20 kg per pig) with the default
// growth curve, in metric units, without the daily table.
void LoadExampleDiets(GrowthState& growth);
