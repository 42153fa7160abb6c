#include "uitests.h"

#include "ui/mapbar.h"

#include <QComboBox>
#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

namespace qmx::uitest {
namespace {

class MapBarTest : public QObject {
    Q_OBJECT
private slots:
    void reportsTheUsersChoicesButNotTheFrames() {
        ui::MapBar bar;
        QSignalSpy maps(&bar, &ui::MapBar::mapChosen);
        QSignalSpy lines(&bar, &ui::MapBar::lineChosen);
        QSignalSpy steps(&bar, &ui::MapBar::stepClicked);
        bar.setMaps({"FUEL", "IGN"});
        bar.setCurrentMap(1);
        bar.setLines({"10", "20", "30"}, 2);
        QCOMPARE(maps.count(), 0);
        QCOMPARE(lines.count(), 0);
        bar.findChild<QListWidget*>("mapList")->setCurrentRow(0);
        QCOMPARE(maps.count(), 1);
        QCOMPARE(maps.at(0).at(0).toInt(), 0);
        bar.findChild<QComboBox*>("lineList")->setCurrentIndex(1);
        QCOMPARE(lines.at(0).at(0).toInt(), 1);
        for (const char* name : {"step1", "step2", "step3", "step4"})
            bar.findChild<QToolButton*>(name)->click();
        QList<int> codes;
        for (const QList<QVariant>& step : steps)
            codes << step.at(0).toInt();
        QCOMPARE(codes, (QList<int>{32, 31, 12, 11}));
    }

    void escapeAndEnterStayInTheBar() {
        ui::MapBar bar;
        bar.setMaps({"FUEL", "IGN"});
        bar.show();
        QSignalSpy escapes(&bar, &ui::MapBar::escapePressed);
        QSignalSpy maps(&bar, &ui::MapBar::mapChosen);
        auto* list = bar.findChild<QListWidget*>("mapList");
        QTest::keyClick(list, Qt::Key_Escape);
        QCOMPARE(escapes.count(), 1);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(maps.count(), 0);
    }
};

} // namespace

QObject* newMapBarTest() {
    return new MapBarTest;
}

} // namespace qmx::uitest

#include "mapbar_test.moc"
