#include <QCoreApplication>
#include <gtest/gtest.h>

// Core tests need an event loop (network replies, timers) but no screen.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
