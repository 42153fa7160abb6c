#include "uitests.h"

#include <QApplication>
#include <QTest>

#include <clocale>
#include <memory>

// Runs every widget test class; the exit status counts the classes that failed.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    using namespace qmx::uitest;
    int failed = 0;
    for (auto* make : {newServicesTest, newDialogsTest, newMapBarTest}) {
        std::unique_ptr<QObject> test(make());
        failed += QTest::qExec(test.get(), argc, argv) != 0 ? 1 : 0;
    }
    return failed;
}
