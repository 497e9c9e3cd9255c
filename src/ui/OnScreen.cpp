#include "ui/OnScreen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace {

// A window manager's frame before the window has one: a title bar and thin
// borders.
const QMargins kLikelyFrame(4, 30, 4, 4);

QMargins FrameOf(const QWidget& window) {
  if (!window.isVisible()) return kLikelyFrame;
  const QRect frame = window.frameGeometry();
  const QRect inside = window.geometry();
  const QMargins margins(inside.left() - frame.left(),
                         inside.top() - frame.top(),
                         frame.right() - inside.right(),
                         frame.bottom() - inside.bottom());
  return margins.isNull() ? kLikelyFrame : margins;
}

QRect FreeArea(const QWidget& window, const QWidget* near) {
  const QScreen* screen = near ? near->screen() : window.screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect();
}

// The frame rectangle moved into `area` (top-left first when it cannot fit).
QPoint Inside(QRect frame, const QRect& area) {
  frame.moveRight(std::min(frame.right(), area.right()));
  frame.moveBottom(std::min(frame.bottom(), area.bottom()));
  frame.moveLeft(std::max(frame.left(), area.left()));
  frame.moveTop(std::max(frame.top(), area.top()));
  return frame.topLeft();
}

void Fit(QWidget& window, const QRect& area, const QMargins& frame, QPoint frameTopLeft) {
  const QSize room(area.width() - frame.left() - frame.right(),
                   area.height() - frame.top() - frame.bottom());
  const QSize size = window.size().boundedTo(room).expandedTo(window.minimumSize());
  if (size != window.size()) window.resize(size);
  // A window's position is its frame's.
  window.move(Inside(QRect(frameTopLeft, size.grownBy(frame)), area));
}

}  // namespace

void PlaceOnScreen(QWidget& window, const QWidget* near) {
  const QRect area = FreeArea(window, near);
  if (area.isEmpty()) return;
  const QMargins frame = near ? FrameOf(*near) : kLikelyFrame;
  QPoint topLeft = window.pos();
  if (near) {
    const QSize outer = window.size().grownBy(frame);
    topLeft = near->frameGeometry().center() - QPoint(outer.width() / 2, outer.height() / 2);
  }
  Fit(window, area, frame, topLeft);
}

void KeepOnScreen(QWidget& window) {
  const QRect area = FreeArea(window, nullptr);
  if (area.isEmpty() || area.contains(window.frameGeometry())) return;
  Fit(window, area, FrameOf(window), window.frameGeometry().topLeft());
}
