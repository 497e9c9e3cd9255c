#pragma once

#include <string>

#include "model/GlobalPig.h"

// Conversions between the user's units and the model's. Direction 1 goes
// towards internal units (value x factor), any other back (value / factor).
inline constexpr int kToInternal = 1;
inline constexpr int kToDisplay = 2;

double ConvertWeight(const GlobalPig& pig, int direction, double value);
double ConvertEnergy(const GlobalPig& pig, int direction, double value);
double ConvertPrice(const GlobalPig& pig, int direction, double value);

std::string WeightUnitLabel(const GlobalPig& pig);
std::string EnergyUnitLabel(const GlobalPig& pig);

// The main window's unit switch: position 0 kg, any other lb.
void SetUnitSwitch(GlobalPig& pig, int position);
// "Final Weight, kg" or "Final Weight, lb" for the switch position.
std::string FinalWeightCaption(int position);
