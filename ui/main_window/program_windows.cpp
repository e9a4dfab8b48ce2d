#include "ui/main_window/program_windows.h"

#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/windows/Logloaderror.h"
#include "ui/windows/Official.h"
#include "ui/windows/print_window.h"

ProgramWindows::ProgramWindows() = default;
ProgramWindows::ProgramWindows(ProgramWindows&&) noexcept = default;
ProgramWindows& ProgramWindows::operator=(ProgramWindows&&) noexcept = default;
ProgramWindows::~ProgramWindows() = default;

ProgramWindows createProgramWindows(UserDialogs& dialogs) {
    ProgramWindows w;
    w.Form_TIRS48CMain = std::make_unique<TForm_TIRS48CMain>(dialogs);
    w.Form_LogError = new TForm_LogError(w.Form_TIRS48CMain.get());
    w.Form_Official = new TForm_Official(w.Form_TIRS48CMain.get());
    w.Form_Print = new TForm_Print(*w.Form_TIRS48CMain, dialogs);
    w.Form_TIRS48CMain->attachWindows(w.Form_LogError, w.Form_Official);
    w.Form_TIRS48CMain->attachPrintWindow(w.Form_Print);
    return w;
}
