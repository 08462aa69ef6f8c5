#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

// A window taller than its scroll area with a date box and a combo in it, as the contract
// window has them; the wheel guard is installed by the test programs' main as by the program's.
class WheelGuardTest : public testing::Test {
protected:
    void SetUp() override {
        auto* content = new QWidget;
        auto* column = new QVBoxLayout(content);
        typing = new QLineEdit(content); // where the user types: it has the focus
        column->addWidget(typing);
        column->addSpacing(300);
        year = new QComboBox(content);
        for (int y = 2020; y <= 2030; ++y)
            year->addItem(QString::number(y));
        year->setCurrentIndex(5);
        day = new QDateEdit(QDate(2026, 12, 10), content);
        column->addWidget(year);
        column->addWidget(day);
        column->addSpacing(1500);
        area.setWidget(content);
        area.resize(300, 400);
        area.show();
        QApplication::setActiveWindow(&area);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&area));
        typing->setFocus();
    }

    // One notch down over the widget's middle, delivered as the platform delivers it.
    void wheelDown(QWidget* over) {
        const QPointF at = over->rect().center();
        QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
    }

    QScrollArea area;
    QLineEdit* typing = nullptr;
    QComboBox* year = nullptr;
    QDateEdit* day = nullptr;
};

} // namespace

// Over a box the user did not choose the wheel scrolls the window and leaves the choice; a box the
// user chose takes the wheel.
TEST_F(WheelGuardTest, ScrollingOverABoxScrollsTheWindowUnlessTheUserChoseIt) {
    area.verticalScrollBar()->setValue(100);
    wheelDown(year);
    EXPECT_EQ(year->currentText(), QStringLiteral("2025")) << "the year under the pointer stays";
    EXPECT_FALSE(year->hasFocus()) << "scrolling over a box does not take the focus";
    EXPECT_GT(area.verticalScrollBar()->value(), 100) << "the window scrolled instead";
    wheelDown(day);
    EXPECT_EQ(day->date(), QDate(2026, 12, 10));

    year->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(year->hasFocus());
    wheelDown(year);
    EXPECT_EQ(year->currentText(), QStringLiteral("2026"));
    day->setFocus(Qt::TabFocusReason);
    wheelDown(day);
    EXPECT_NE(day->date(), QDate(2026, 12, 10));
}
