#pragma once
// The chart of one limiter's characteristic number over time, with the
// normative number as a line and the projection to the day it is reached.

#include <vector>

#include "archive/archived_reading.h"

class PlotWidget;

// Fills `chart` anew (series and axes) from the readings, oldest first, and the
// life computed over them. Its x axis counts milliseconds since the epoch.
void fillHistoryChart(PlotWidget& chart, const std::vector<archive::ArchivedReading>& readings,
                      const archive::DesignLife& life);
