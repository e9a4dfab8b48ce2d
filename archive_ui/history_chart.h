#pragma once
// The chart of one limiter's characteristic number over time, with the
// normative number as a line and the projection to the day it is reached.

#include <vector>

#include "archive/archived_reading.h"

class QChart;

// Fills `chart` anew (series and axes) from the readings, oldest first, and the
// life computed over them.
void fillHistoryChart(QChart& chart, const std::vector<archive::ArchivedReading>& readings,
                      const archive::DesignLife& life);
