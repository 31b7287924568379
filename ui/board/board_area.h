#pragma once
// The client area of the main frame: hands its paints and left clicks to the frame.
#include <QWidget>

class MainFrame;

class BoardArea : public QWidget {
  Q_OBJECT
 public:
  BoardArea(MainFrame* frame, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  MainFrame* frame_;
};

// The mouse-message flags of a button event: the buttons held and the Shift and Ctrl keys.
unsigned mouse_flags(const QMouseEvent& event);
