#pragma once

#include <QColor>

// How the growth chart looks, on screen and in the printed report alike.
namespace GrowthChartStyle {

inline const QColor kWeightColor(31, 111, 178);
inline const QColor kPreviousColor(31, 111, 178, 80);  // the same hue, faint
inline const QColor kFeedColor(222, 128, 34);
inline const QColor kFinalColor(46, 125, 50);
inline const QColor kObservedColor(190, 30, 45);
inline const QColor kMarkerColor(110, 110, 110);

inline constexpr int kAgeSteps = 8;        // at most, along the age axis
inline constexpr int kValueSteps = 6;      // at most, along the weight and feed axes
inline constexpr double kHeadroom = 1.06;  // above the highest value, so nothing touches the frame

}  // namespace GrowthChartStyle
