#pragma once
// The user's regional settings that the program's text output follows.

namespace base {

// The decimal separator the user has chosen for numbers: ',' or '.' (a
// setting that is neither, or cannot be read, gives '.').
char userDecimalSeparator();

}  // namespace base
