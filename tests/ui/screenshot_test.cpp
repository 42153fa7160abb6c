#include "uitests.h"

#include "framerig.h"

#include <QPixmap>
#include <QTest>

#include <cstdlib>

namespace qmx::uitest {
namespace {

// Saves a picture of the main window with the sample open to the file QMX_SCREENSHOT names
// (scripts/screenshot.sh runs it under Xvfb); skipped when the variable is not set.
class ScreenshotTest : public QObject {
    Q_OBJECT
private slots:
    void mainWindowWithTheSample() {
        const char* target = std::getenv("QMX_SCREENSHOT");
        if (!target)
            QSKIP("QMX_SCREENSHOT names no file");
        FrameRig rig;
        rig.frame->resize(1100, 700);
        QVERIFY(rig.openSample());
        QTest::qWait(200); // let the window system deliver the last paints
        QVERIFY(rig.frame->grab().save(QString::fromLocal8Bit(target), "PNG"));
    }
};

} // namespace

QObject* newScreenshotTest() {
    return new ScreenshotTest;
}

} // namespace qmx::uitest

#include "screenshot_test.moc"
