// The main window's menu: every command of the program with its shortcut.
// Commands that arrive with later parts of the program are present and
// disabled until then.

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "ui/main_window/Tirs48c_litm3_main.h"

namespace {

QAction* item(QMenu* menu, const char* name, const char* text, const QKeySequence& shortcut = {}) {
    QAction* action = menu->addAction(QString::fromUtf8(text));
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
}

QAction* later(QAction* action) {
    action->setEnabled(false);
    return action;
}

}  // namespace

void TForm_TIRS48CMain::createMenu() {
    QMenuBar* bar = menuBar();

    Menu_File = bar->addMenu(QString::fromUtf8("&Файл"));
    Menu_File->setObjectName("Menu_File");
    Menu_LITM3 = item(Menu_File, "Menu_LITM3", "Считать ЛИТМ-3", QKeySequence("Ctrl+E"));
    Menu_OpenLITM3 = item(Menu_File, "Menu_OpenLITM3", "Открыть", QKeySequence("Ctrl+O"));
    Menu_Clear = item(Menu_File, "Menu_Clear", "Очистить", QKeySequence("Ctrl+W"));

    // Ctrl+P prints the information card, the first report of "Печать".
    Menu_Print = Menu_File->addMenu(QString::fromUtf8("Печать"));
    Menu_Print->setObjectName("Menu_Print");
    Menu_Print->menuAction()->setObjectName("Menu_PrintAction");
    M_IK = item(Menu_Print, "M_IK", "Информационная карта", QKeySequence("Ctrl+P"));
    addAction(M_IK);  // live while the menu is closed
    Menu_Print->addSeparator();
    M_Oper = item(Menu_Print, "M_Oper", "Оперативная информация");
    M_Per = item(Menu_Print, "M_Per", "Перегрузки");
    N2 = later(item(Menu_Print, "N2", "КДС"));  // no command of its own

    Menu_File->addSeparator();
    Menu_Tests = Menu_File->addMenu(QString::fromUtf8("Обработка испытаний"));
    Menu_Tests->setObjectName("Menu_Tests");
    N_CreateForma1 = item(Menu_Tests, "N_CreateForma1", "Форма 1");
    N_CreateForma2 = item(Menu_Tests, "N_CreateForma2", "Форма 2");
    N_CreateForma3 = item(Menu_Tests, "N_CreateForma3", "Форма 3");
    Menu_log = item(Menu_File, "Menu_log", "Лог ошибок...");
    Menu_File->addSeparator();
    Menu_Exit = item(Menu_File, "Menu_Exit", "Выход");

    // "Служебная" is not shown in the menu bar; its item is reached by the
    // shortcut alone, which the window itself keeps live.
    Menu_Service = bar->addMenu(QString::fromUtf8("Служебная"));
    Menu_Service->setObjectName("Menu_Service");
    Menu_Service->menuAction()->setVisible(false);
    N_Adres = item(Menu_Service, "N_Adres", "Адресное пространстов", QKeySequence("Ctrl+Alt+I"));
    addAction(N_Adres);

    // F1 opens the user's guide in the desktop's browser.
    Menu_Help = new QAction(this);
    Menu_Help->setObjectName("Menu_Help");
    Menu_Help->setShortcut(QKeySequence::HelpContents);
    addAction(Menu_Help);

    connect(Menu_LITM3, &QAction::triggered, this, &TForm_TIRS48CMain::Menu_LITM3Click);
    connect(Menu_OpenLITM3, &QAction::triggered, this, &TForm_TIRS48CMain::Menu_OpenLITM3Click);
    connect(Menu_Clear, &QAction::triggered, this, &TForm_TIRS48CMain::ClearAll);
    connect(N_CreateForma1, &QAction::triggered, this, &TForm_TIRS48CMain::N_CreateForma1Click);
    connect(N_CreateForma2, &QAction::triggered, this, &TForm_TIRS48CMain::N_CreateForma2Click);
    connect(N_CreateForma3, &QAction::triggered, this, &TForm_TIRS48CMain::N_CreateForma3Click);
    connect(M_IK, &QAction::triggered, this, &TForm_TIRS48CMain::M_IKClick);
    connect(M_Oper, &QAction::triggered, this, &TForm_TIRS48CMain::M_OperClick);
    connect(M_Per, &QAction::triggered, this, &TForm_TIRS48CMain::M_PerClick);
    connect(Menu_log, &QAction::triggered, this, &TForm_TIRS48CMain::Menu_logClick);
    connect(Menu_Exit, &QAction::triggered, this, &TForm_TIRS48CMain::Menu_ExitClick);
    connect(N_Adres, &QAction::triggered, this, &TForm_TIRS48CMain::N_AdresClick);
    connect(Menu_Help, &QAction::triggered, this, &TForm_TIRS48CMain::showHelp);
}
