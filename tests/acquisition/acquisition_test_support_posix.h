#pragma once
// The terminal settings a port owner would care about, for the tests that run
// the acquisition over pseudo-terminals: read them, and set ones no acquisition
// would choose so that a restore is visible.

#include <termios.h>

#include "acquisition_test_support.h"

namespace acqtest {

// The parts of a terminal's settings a port owner would care about.
struct TerminalSettings {
    tcflag_t iflag, oflag, cflag, lflag;
    speed_t ispeed, ospeed;
    cc_t vmin, vtime;
    bool operator==(const TerminalSettings&) const = default;
};

inline TerminalSettings settingsOf(int fd) {
    termios t{};
    tcgetattr(fd, &t);
    return {t.c_iflag,       t.c_oflag,       t.c_cflag,    t.c_lflag,
            cfgetispeed(&t), cfgetospeed(&t), t.c_cc[VMIN], t.c_cc[VTIME]};
}

// Gives a terminal settings no acquisition would choose, so that a restore is visible.
inline void setUnusualSettings(int fd) {
    termios t{};
    tcgetattr(fd, &t);
    cfmakeraw(&t);
    cfsetispeed(&t, B9600);
    cfsetospeed(&t, B9600);
    t.c_cflag &= ~static_cast<tcflag_t>(CSTOPB);
    t.c_iflag |= IGNBRK;
    t.c_cc[VMIN] = 5;
    t.c_cc[VTIME] = 7;
    tcsetattr(fd, TCSANOW, &t);
}

}  // namespace acqtest
