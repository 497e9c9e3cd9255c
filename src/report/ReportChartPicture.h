#pragma once

#include <QImage>
#include <QSize>

#include "app/GrowthChartData.h"

// The growth chart of a printed report, drawn with QtGui alone (no widgets,
// so it renders without a display): live weight on the left axis, daily
// feed on the right, the diet changes, the final weight, the weighings and
// a legend below the plot that wraps rather than cuts an entry.
QImage GrowthChartPicture(const GrowthChartData& chart, QSize size, qreal scale);
