#include "ui/board/board_area.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/frame/main_frame.h"

BoardArea::BoardArea(MainFrame* frame, QWidget* parent) : QWidget(parent), frame_(frame) {
  // The stretched board covers every pixel, so nothing is erased before a paint.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setObjectName(QStringLiteral("board"));
}

void BoardArea::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  frame_->DrawBoard(painter, rect());
}

void BoardArea::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) frame_->OnLButtonDown(mouse_flags(*event), event->position().toPoint());
}

unsigned mouse_flags(const QMouseEvent& event) {
  unsigned flags = 0;
  const Qt::MouseButtons buttons = event.buttons();
  if (buttons & Qt::LeftButton) flags |= MOUSE_LEFT_BUTTON;
  if (buttons & Qt::RightButton) flags |= MOUSE_RIGHT_BUTTON;
  if (buttons & Qt::MiddleButton) flags |= MOUSE_MIDDLE_BUTTON;
  if (buttons & Qt::XButton1) flags |= MOUSE_X_BUTTON_1;
  if (buttons & Qt::XButton2) flags |= MOUSE_X_BUTTON_2;
  if (event.modifiers() & Qt::ShiftModifier) flags |= MOUSE_SHIFT;
  if (event.modifiers() & Qt::ControlModifier) flags |= MOUSE_CONTROL;
  return flags;
}
