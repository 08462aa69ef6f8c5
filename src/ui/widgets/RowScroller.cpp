#include "RowScroller.h"

#include <QLayout>
#include <QScrollBar>

namespace teran {

RowScroller::RowScroller(QWidget* row, QWidget* parent)
    : QScrollArea(parent) {
    setWidget(row);
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

RowScroller::RowScroller(QLayout* row, QWidget* parent)
    : RowScroller(new QWidget, parent) {
    row->setContentsMargins(0, 0, 0, 0);
    widget()->setLayout(row);
}

bool RowScroller::scrolls() const {
    return widget() && widget()->minimumSizeHint().width() > viewport()->width();
}

QSize RowScroller::sizeHint() const {
    const QSize row = widget() ? widget()->sizeHint() : QSize();
    const int bar = scrolls() ? horizontalScrollBar()->sizeHint().height() : 0;
    return {row.width(), row.height() + bar};
}

QSize RowScroller::minimumSizeHint() const {
    return {80, sizeHint().height()};
}

void RowScroller::resizeEvent(QResizeEvent* event) {
    const bool before = scrolls();
    QScrollArea::resizeEvent(event);
    // The bar comes or goes with the width: the row's height changes with it.
    if (scrolls() != before || height() != sizeHint().height())
        updateGeometry();
}

} // namespace teran
