#include <QGuiApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Fonts and images need a platform; the tests never need a real display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("test_reports"));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
