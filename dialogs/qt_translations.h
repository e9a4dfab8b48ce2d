#pragma once
// Qt's own texts (the file dialogs' "Папка", the buttons' "Отмена") in the
// program's language: the program speaks Russian whatever the desktop's locale.

class QCoreApplication;

// Loads Qt's Russian translations (qt_ru: qtbase and the modules) from Qt's
// translations folder and installs them in the application. False when they
// are not installed; Qt then keeps its English texts.
bool installQtTranslations(QCoreApplication& app);
