#include "uitests.h"

#include <QApplication>
#include <QSet>
#include <QTest>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The class name without its namespaces.
QByteArray shortName(const QObject& test) {
    const QByteArray name = test.metaObject()->className();
    return name.mid(name.lastIndexOf(':') + 1);
}

} // namespace

// Runs every widget test class, or only the one that QMX_UI_TEST_CLASS names (failing when there
// is none of that name); the exit status counts the classes that failed. With
// QMX_UI_REGISTERED_CLASSES (names separated by commas) it runs nothing and fails unless those
// are exactly the classes here, so that every class has its entry in ctest.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    using namespace qmx::uitest;
    std::vector<std::unique_ptr<QObject>> tests;
    for (auto* make : {newServicesTest, newDialogsTest, newMapBarTest, newMainFrameTest,
                       newMapWindowTest, newTransferTest, newHexViewTest, newConstantEditorTest,
                       newCompareTest, newMultiMapTest, newMonitorTest, newComPortTest,
                       newScreenshotTest})
        tests.emplace_back(make());

    if (const char* registered = std::getenv("QMX_UI_REGISTERED_CLASSES")) {
        QSet<QByteArray> names;
        for (const auto& test : tests)
            names.insert(shortName(*test));
        const QList<QByteArray> listed = QByteArray(registered).split(',');
        if (names == QSet<QByteArray>(listed.begin(), listed.end()))
            return 0;
        std::fprintf(stderr, "the widget test classes and those registered in ctest differ\n");
        return 1;
    }
    const char* only = std::getenv("QMX_UI_TEST_CLASS");
    int ran = 0;
    int failed = 0;
    for (const auto& test : tests) {
        if (only && shortName(*test) != only)
            continue;
        ++ran;
        failed += QTest::qExec(test.get(), argc, argv) != 0 ? 1 : 0;
    }
    if (ran == 0) {
        std::fprintf(stderr, "no widget test class is named %s\n", only);
        return 1;
    }
    return failed;
}
