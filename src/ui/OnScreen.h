#pragma once

class QWidget;

// Top-level windows open whole on the screen, frame included, on any screen
// from 1024 by 640 up: a window larger than the screen's free area is made
// smaller, and one that would reach past an edge is moved in.

// Before `window` is shown: its size bounded to the screen of `near` (or its
// own), and its place centred over `near` when given, inside the screen.
void PlaceOnScreen(QWidget& window, const QWidget* near = nullptr);

// After it is shown (its frame known): moved and shrunk into the screen.
void KeepOnScreen(QWidget& window);
