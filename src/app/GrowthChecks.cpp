#include "app/GrowthChecks.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "model/DietsFile.h"
#include "model/DietsTable.h"
#include "model/GrowthSummary.h"
#include "model/PigGrowth.h"
#include "model/Units.h"
#include "platform/Grid.h"
#include "platform/Location.h"
#include "platform/NumberFormat.h"
#include "platform/TextFile.h"

namespace {

// A weight typed in pounds meets a limit in kg only to rounding.
constexpr double kWeightSlack = 1e-9;  // kg

// The whole text of a field as a number: blanks around it and a decimal
// comma are taken; anything else makes it no number.
std::optional<double> TypedNumber(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  std::string number(text.substr(first, text.find_last_not_of(' ') - first + 1));
  CommaToPoint(number);
  double value = 0;
  const char* end = number.data() + number.size();
  const auto [next, error] = std::from_chars(number.data(), end, value);
  if (error != std::errc() || next != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// A weight in kg as the user reads it: "8.82 lb".
std::string Shown(const GrowthState& growth, double kg) {
  return GeneralNumberText(ConvertWeight(growth, kToDisplay, kg), growth.decimalComma) + " " +
         WeightUnitName(growth.unitCodes[kWeightUnit]);
}

// A weight the model reached, to the places the tables show.
std::string Reached(const GrowthState& growth, double kg) {
  return ShortNumberText(ConvertWeight(growth, kToDisplay, kg), growth.decimalComma) + " " +
         WeightUnitName(growth.unitCodes[kWeightUnit]);
}

std::string ShownNumber(const GrowthState& growth, double kg) {
  return GeneralNumberText(ConvertWeight(growth, kToDisplay, kg), growth.decimalComma);
}

bool Within(double kg, double low, double high) {
  return kg >= low - kWeightSlack && kg <= high + kWeightSlack;
}

std::string StartWeightRange(const GrowthState& growth, double lowKg) {
  return "Starting Weight must be a number from " + ShownNumber(growth, lowKg) + " to " +
         Shown(growth, kHeaviestWeight);
}

}  // namespace

std::string NoLocationMessage(const Location& location) {
  if (location.locationBase.empty()) {
    return "Choose a location before Growth: click the Calibration Name field and pick the "
           "location's calibration file (.plt)";
  }
  if (!TextFile::Exists(location.calibrationFile)) {
    return "Growth needs the location's calibration file, and " + location.calibrationFile +
           " does not exist yet: run Calibration and save it, or save all files to the location, "
           "then choose it again in the Calibration Name field";
  }
  return "Growth has no location loaded (a calibration that was not saved leaves none): click "
         "the Calibration Name field and choose " +
         location.calibrationFile + " again";
}

std::optional<std::string> HerdFieldsProblem(std::string_view startWeight,
                                             std::string_view startAge,
                                             std::string_view finalWeight,
                                             const GrowthState& growth,
                                             HerdValues& values) {
  const auto start = TypedNumber(startWeight);
  values.startKg = start ? ConvertWeight(growth, kToInternal, *start) : 0;
  if (!start || !Within(values.startKg, kLightestStart, kHeaviestWeight))
    return StartWeightRange(growth, kLightestStart);
  const auto age = TypedNumber(startAge);
  if (!age || *age < 0 || *age >= kMaxAge + 1)
    return "Starting Age, Days must be a number from 0 to " + std::to_string(kMaxAge);
  values.startAge = static_cast<int>(std::trunc(*age));
  const auto final = TypedNumber(finalWeight);
  values.finalKg = final ? ConvertWeight(growth, kToInternal, *final) : 0;
  if (!final || !Within(values.finalKg, values.startKg, kHeaviestWeight)) {
    return "Final Weight must be a number from the Starting Weight (" +
           Shown(growth, values.startKg) + ") to " + Shown(growth, kHeaviestWeight);
  }
  return std::nullopt;
}

std::optional<std::string> DietsProblem(const Grid& dietsTable) {
  if (!(ReadNumber(dietsTable.Text(kDietEnergyRow, 1)) > 0))
    return std::string("Energy NE of diet 1 must be above 0");
  std::string extra;
  int count = 0;
  for (int d = kRunDietColumns + 1; d <= kMaxDiets; ++d) {
    if (!(ReadNumber(dietsTable.Text(kDietEnergyRow, d)) > 0)) continue;
    extra += (extra.empty() ? "" : " and ") + std::to_string(d);
    ++count;
  }
  if (count == 0) return std::nullopt;
  const std::string six = std::to_string(kRunDietColumns);
  return "The growth run feeds diets 1 to " + six + ", but " + (count > 1 ? "diets " : "diet ") +
         extra + (count > 1 ? " have Energy NE: clear them" : " has Energy NE: clear it") +
         " (Energy NE 0) or fit the diets into diets 1 to " + six + " before running";
}

std::string GrowthFailedMessage(const GrowthState& growth,
                                const Grid& results,
                                const Grid& dietsTable) {
  // The rows hold the days grown; the model failed on the day after them.
  int row = 0;
  while (!results.Text(row + 1, PigGrowth::kAgeColumn).empty()) ++row;
  const int day = std::clamp(
      row > 0 ? static_cast<int>(ReadNumber(results.Text(row, PigGrowth::kAgeColumn))) + 1
              : static_cast<int>(growth.startAge),
      0,
      kMaxAge);
  // The curve starts at B0 ([0] during a run): a first day that ends below
  // it fails whatever the feed.
  const double b0 = growth.liveWeight[0][kHerdColumn];
  if (row == 0 && growth.liveWeight[day][kHerdColumn] < b0) {
    return "The growth curve starts at its B0 of " + Reached(growth, b0) +
           ", too far above the Starting Weight of " +
           Shown(growth, growth.liveWeight[day][kHerdColumn]) +
           " for the herd to grow on it: choose a heavier Starting Weight or calibrate the curve "
           "to "
           "this herd";
  }
  const int diet = std::clamp<int>(growth.currentDiet, 1, kMaxDiets);
  auto named = [&](int d) {
    return "diet " + std::to_string(d) + " (" + dietsTable.Text(kDietNameRow, d) + ")";
  };
  // As the model mixes them: the day a diet's allowance runs out it feeds
  // the next one too.
  double allowance = 0;
  for (int d = 1; d <= diet; ++d) allowance += growth.dietFeedAmount[d];
  const bool change = diet < growth.dietCount &&
                      growth.cumFeed[0] + growth.dailyFeed[day][kHerdColumn] >= allowance;
  const std::string fed =
      change ? "the day " + named(diet) + " changes to " + named(diet + 1) : "on " + named(diet);
  return "The growth model stopped at age " + std::to_string(day) + " (" +
         Reached(growth, growth.liveWeight[day][kHerdColumn]) + "), " + fed +
         ": the feed gave no growth it can use. Check the Energy NE, Protein, amino acids and "
         "feed amounts of the diets, and the growth curve B0 to B4";
}

std::optional<std::string> ShortOfFinalWeight(const GrowthState& growth) {
  const int last = FinishDay(growth);
  const double reached = growth.liveWeight[last][kHerdColumn];
  if (reached >= growth.finalWeight) return std::nullopt;
  return "The herd did not reach the Final Weight of " + Shown(growth, growth.finalWeight) +
         ": it weighed " + Reached(growth, reached) + " at age " + std::to_string(last) +
         ", the last day a run can grow. The results show the run as far as it went";
}
