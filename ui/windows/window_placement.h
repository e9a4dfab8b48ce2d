#pragma once
// Placing windows: the main window on the screen, the auxiliary ones over it.

class QWidget;

// Centres a top-level window on its parent window (or on the screen without one).
void centreOnParent(QWidget* window);

// Centres a top-level window on the screen that holds it.
void centreOnScreen(QWidget* window);
