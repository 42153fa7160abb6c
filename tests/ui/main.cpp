#include "uitests.h"

#include <QApplication>
#include <QTest>

#include <clocale>
#include <cstdlib>
#include <memory>

// Runs every widget test class, or only the one whose class name QMX_UI_TEST_CLASS names; the
// exit status counts the classes that failed.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    const char* only = std::getenv("QMX_UI_TEST_CLASS");
    using namespace qmx::uitest;
    int failed = 0;
    for (auto* make : {newServicesTest, newDialogsTest, newMapBarTest, newMainFrameTest,
                       newTransferTest, newHexViewTest, newConstantEditorTest, newMonitorTest,
                       newComPortTest, newScreenshotTest}) {
        std::unique_ptr<QObject> test(make());
        if (only && !QByteArray(test->metaObject()->className()).endsWith(only))
            continue;
        failed += QTest::qExec(test.get(), argc, argv) != 0 ? 1 : 0;
    }
    return failed;
}
