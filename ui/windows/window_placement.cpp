#include "ui/windows/window_placement.h"

#include <QScreen>
#include <QWidget>

void centreOnScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (!screen) return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

void centreOnParent(QWidget* window) {
    const QWidget* parent = window->parentWidget();
    if (!parent) {
        centreOnScreen(window);
        return;
    }
    QRect frame = window->frameGeometry();
    frame.moveCenter(parent->window()->frameGeometry().center());
    window->move(frame.topLeft());
}
