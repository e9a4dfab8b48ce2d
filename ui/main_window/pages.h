#pragma once
// Builders of the main window's pages. Each returns the page's content; the
// main window places it in its page controls.

class Displays;
class QFrame;
class QWidget;

// "Служебная": the six group boxes of identification, counters and classification.
QFrame* buildServicePanel(Displays& displays, QWidget* page);

// "Наработка": the fifteen load bands with their numbers and two bars each.
QFrame* buildLoadBandsPanel(Displays& displays, QWidget* page);
inline constexpr int kLoadBandsPanelWidth = 585;
inline constexpr int kLoadBandsPanelHeight = 385;

class ParameterChartPage;
class ProtectionChartPage;

// "Параметры": the parameter chart with its check boxes, filling the page.
ParameterChartPage* buildParameterChartPage(QWidget* page);

// "Координатная защита": the coordinate-protection chart with its legend line.
ProtectionChartPage* buildProtectionChartPage(QWidget* page);
