// The main window's menu: every command of the program with its shortcut.
// An item with no command of its own ("КДС" under "Печать", as the КДС records
// have no decoding) is shown, disabled.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/main_window/Createforms.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/main_window/main_charts.h"
#include "ui/main_window/main_print.h"
#include "ui/main_window/recent_files.h"

namespace {

QAction* item(QMenu* menu, const char* name, const char* text, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QAction* withoutCommand(QAction* action) {
    action->setEnabled(false);
    return action;
}

}  // namespace

void TForm_TIRS48CMain::createMenu() {
    QMenuBar* bar = menuBar();

    Menu_File = bar->addMenu(QString::fromUtf8("Файл"));
    Menu_File->setObjectName("Menu_File");
    QAction* Menu_LITM3 = item(Menu_File, "Menu_LITM3", "Считать ЛИТМ-3", QKeySequence("Ctrl+E"));
    QAction* Menu_OpenLITM3 = item(Menu_File, "Menu_OpenLITM3", "Открыть", QKeySequence("Ctrl+O"));
    QAction* Menu_Clear = item(Menu_File, "Menu_Clear", "Очистить", QKeySequence("Ctrl+W"));

    // "Печать" is a submenu only: its shortcut is shown but starts nothing.
    QMenu* Menu_Print = Menu_File->addMenu(QString::fromUtf8("Печать"));
    Menu_Print->setObjectName("Menu_Print");
    Menu_Print->menuAction()->setObjectName("Menu_PrintAction");
    Menu_Print->menuAction()->setShortcut(QKeySequence("Ctrl+P"));
    M_IK = item(Menu_Print, "M_IK", "Информационная карта");
    Menu_Print->addSeparator();
    M_Oper = item(Menu_Print, "M_Oper", "Оперативная информация");
    M_Per = item(Menu_Print, "M_Per", "Перегрузки");
    withoutCommand(item(Menu_Print, "N2", "КДС"));

    Menu_File->addSeparator();
    QMenu* Menu_Tests = Menu_File->addMenu(QString::fromUtf8("Обработка испытаний"));
    Menu_Tests->setObjectName("Menu_Tests");
    N_CreateForma1 = item(Menu_Tests, "N_CreateForma1", "Форма 1");
    N_CreateForma2 = item(Menu_Tests, "N_CreateForma2", "Форма 2");
    N_CreateForma3 = item(Menu_Tests, "N_CreateForma3", "Форма 3");
    QAction* Menu_log = item(Menu_File, "Menu_log", "Лог ошибок...");
    Menu_File->addSeparator();
    Menu_Exit = item(Menu_File, "Menu_Exit", "Выход");

    // "Служебная" is not shown in the menu bar; its item is reached by the
    // shortcut alone, which the window itself keeps live.
    QMenu* Menu_Service = bar->addMenu(QString::fromUtf8("Служебная"));
    Menu_Service->setObjectName("Menu_Service");
    Menu_Service->menuAction()->setVisible(false);
    QAction* N_Adres =
        item(Menu_Service, "N_Adres", "Адресное пространстов", QKeySequence("Ctrl+Alt+I"));
    addAction(N_Adres);

    // F1 opens the user's guide in the desktop's browser.
    auto* Menu_Help = new QAction(this);
    Menu_Help->setObjectName("Menu_Help");
    Menu_Help->setShortcut(QKeySequence::HelpContents);
    addAction(Menu_Help);

    connect(Menu_LITM3, &QAction::triggered, this, &TForm_TIRS48CMain::Menu_LITM3Click);
    connect(Menu_OpenLITM3, &QAction::triggered, this, &TForm_TIRS48CMain::Menu_OpenLITM3Click);
    connect(Menu_Clear, &QAction::triggered, this, &TForm_TIRS48CMain::ClearAll);
    connect(Menu_log, &QAction::triggered, this, &TForm_TIRS48CMain::Menu_logClick);
    connect(Menu_Exit, &QAction::triggered, this, &TForm_TIRS48CMain::Menu_ExitClick);
    connect(N_Adres, &QAction::triggered, this, &TForm_TIRS48CMain::N_AdresClick);
    connect(Menu_Help, &QAction::triggered, this, &TForm_TIRS48CMain::showHelp);
}

void TForm_TIRS48CMain::createCommands() {
    forms_ = new FormCommands(dialogs_, *this, *frameView_, charts_->parameters(), this);
    connect(N_CreateForma1, &QAction::triggered, forms_, &FormCommands::N_CreateForma1Click);
    connect(N_CreateForma2, &QAction::triggered, forms_, &FormCommands::N_CreateForma2Click);
    connect(N_CreateForma3, &QAction::triggered, forms_, &FormCommands::N_CreateForma3Click);
    printing_ = new PrintCommands(this);
    connect(M_IK, &QAction::triggered, printing_, &PrintCommands::M_IKClick);
    connect(M_Oper, &QAction::triggered, printing_, &PrintCommands::M_OperClick);
    connect(M_Per, &QAction::triggered, printing_, &PrintCommands::M_PerClick);
    recentFiles_ = new RecentFiles(*this);
}
