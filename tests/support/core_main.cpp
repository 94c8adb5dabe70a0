// Test entry point for the widget-free libraries: a QCoreApplication only, so a dependency on
// a GUI class shows up as a failure here rather than passing by accident.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
