#pragma once
// The program's windows, created in their start-up order: the main window
// first (it becomes the application's main window), then the error-log, the
// service-information and the print windows, all hidden. The main window owns
// the others, so they live as long as the program.

#include <memory>

class TForm_LogError;
class TForm_Official;
class TForm_Print;
class TForm_TIRS48CMain;
class UserDialogs;

struct ProgramWindows {
    std::unique_ptr<TForm_TIRS48CMain> Form_TIRS48CMain;
    TForm_LogError* Form_LogError = nullptr;
    TForm_Official* Form_Official = nullptr;
    TForm_Print* Form_Print = nullptr;

    ProgramWindows();
    ProgramWindows(ProgramWindows&&) noexcept;
    ProgramWindows& operator=(ProgramWindows&&) noexcept;
    ~ProgramWindows();
};

ProgramWindows createProgramWindows(UserDialogs& dialogs);
