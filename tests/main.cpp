#include <QApplication>
#include <QFileInfo>
#include <gtest/gtest.h>

// The main of every test that needs windows, fonts or images. The tests never need a real
// display, so the offscreen platform is used unless one is named.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QFileInfo(QString::fromLocal8Bit(argv[0])).fileName());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
