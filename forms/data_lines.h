// The report data files of forms 3, 2 and 1: 41, 42 and 44 lines "|0:Key:text",
// taken from the texts the main window shows for the loaded reading.
#pragma once

#include <stdexcept>

#include "forms/differences.h"
#include "forms/previous_reading.h"
#include "forms/test_period.h"
#include "recorder/reading.h"
#include "rtf/report_data_file.h"

namespace forms {

// Why a form cannot be made (UTF-8, shown to the user as it is).
class FormError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

inline constexpr const char* kNoLimiterSerial =
    "Не задан заводской номер ограничителя (поле «Заводской номер» пусто): год "
    "изготовления ограничителя не определить, форма не составлена.";

// Throws FormError with kNoLimiterSerial when the limiter serial number is empty.
RepoRTF_interface::ReportDataFile form3DataFile(const recorder::Reading& reading);

// After showDifferences: the displays hold the differences, SumCicl is the
// difference of the totals, HHome the previous characteristic number.
RepoRTF_interface::ReportDataFile form2DataFile(const recorder::Reading& reading,
                                                const PreviousReading& previous,
                                                const CounterDifferences& differences,
                                                const recorder::NumberFormat& format);

RepoRTF_interface::ReportDataFile form1DataFile(const recorder::Reading& reading,
                                                const PreviousReading& previous,
                                                const CounterDifferences& differences,
                                                const TestPeriod& period,
                                                const recorder::NumberFormat& format);

}  // namespace forms
