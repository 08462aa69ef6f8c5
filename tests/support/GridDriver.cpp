#include "GridDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace teran::test {

void click(QWidget* window, const char* button) {
    auto* b = control<QAbstractButton>(window, button);
    if (b)
        QTest::mouseClick(b, Qt::LeftButton);
}

int columnOf(QTableView* grid, const QString& caption) {
    const QAbstractItemModel* model = grid->model();
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal).toString() == caption)
            return c;
    return -1;
}

bool clickHeader(QTableView* grid, const QString& caption) {
    const int section = columnOf(grid, caption);
    if (section < 0)
        return false;
    QHeaderView* header = grid->horizontalHeader();
    grid->horizontalScrollBar()->setValue(header->sectionPosition(section));
    const QPoint at(header->sectionViewportPosition(section) + header->sectionSize(section) / 2,
                    header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
    return true;
}

namespace {

QPoint rowPoint(QTableView* grid, int row) {
    // the last column shown: away from the tick box of the first one
    int column = grid->model()->columnCount() - 1;
    while (column > 0 && grid->isColumnHidden(column))
        --column;
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    return grid->visualRect(index).center();
}

} // namespace

void clickRow(QTableView* grid, int row) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, rowPoint(grid, row));
}

void doubleClickRow(QTableView* grid, int row) {
    // a real double click: press and release, then the double-click event
    const QPoint at = rowPoint(grid, row);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

void doubleClickEmptyGrid(QTableView* grid) {
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
}

QStringList columnTexts(QTableView* grid, const QString& caption) {
    const int column = columnOf(grid, caption);
    QStringList texts;
    if (column < 0)
        return texts;
    for (int row = 0; row < grid->model()->rowCount(); ++row)
        texts << grid->model()->index(row, column).data().toString();
    return texts;
}

void typeAndLeave(QWidget* lineEdit, const QString& text) {
    auto* edit = qobject_cast<QLineEdit*>(lineEdit);
    ASSERT_NE(edit, nullptr);
    edit->setText(text);
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(edit, &out);
}

} // namespace teran::test
