#pragma once

#include <QScrollArea>

namespace teran {

// A row of controls (a tool row of buttons) that scrolls sideways when its window is narrower
// than the row, instead of pushing the window wider than the screen and hiding the buttons at its
// end. It is as tall as the row, and the scroll bar's height more only while the bar shows.
class RowScroller : public QScrollArea {
    Q_OBJECT
public:
    RowScroller(QWidget* row, QWidget* parent);
    // A row made of a layout of controls.
    RowScroller(QLayout* row, QWidget* parent);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    bool scrolls() const;
};

} // namespace teran
