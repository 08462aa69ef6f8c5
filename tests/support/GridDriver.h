#pragma once

#include "WidgetControls.h"
#include <QString>
#include <QStringList>
#include <QWidget>
#include <gtest/gtest.h>

class QTableView;

namespace teran::test {

// Drives a list window the way a user does: buttons, header and row clicks with the mouse.
void click(QWidget* window, const char* button);
// Clicks the header of the first column with this caption; false when there is none.
bool clickHeader(QTableView* grid, const QString& caption);
void clickRow(QTableView* grid, int row);
void doubleClickRow(QTableView* grid, int row);
void doubleClickEmptyGrid(QTableView* grid);
// The texts of one column, top to bottom.
QStringList columnTexts(QTableView* grid, const QString& caption);
int columnOf(QTableView* grid, const QString& caption);
// Types into a line edit and leaves it, as the user does (the focus-out is sent to the box).
void typeAndLeave(QWidget* lineEdit, const QString& text);

} // namespace teran::test
