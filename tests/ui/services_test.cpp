#include "uitests.h"

#include "modal.h"

#include "ui/qteventpump.h"
#include "ui/qtmessagesink.h"
#include "ui/qtprogresswindow.h"
#include "ui/splashscreen.h"
#include "ui/textcodec.h"

#include "support/tempfolder.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QImage>
#include <QTest>

namespace qmx::uitest {
namespace {

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
    void pumpDeliversTicksWhileWaiting() {
        ui::QtEventPump pump;
        int ticks = 0;
        pump.startTicks([&] { ++ticks; });
        QElapsedTimer deadline;
        deadline.start();
        while (ticks < 3 && deadline.elapsed() < 10000)
            pump.waitOne();
        QCOMPARE(ticks, 3);
        QCOMPARE(pump.ticksDelivered(), 3u);
        pump.stopTicks();
        pump.waitOne(); // returns at once: nothing can arrive
        pump.pumpOne();
        QCOMPARE(ticks, 3);
    }

    void progressWindowShowsItsLines() {
        ui::QtEventPump pump;
        ui::QtProgressWindow window(pump);
        {
            ecu::ProgressScope scope(window, "Read From ECU");
            QVERIFY(window.isVisible());
            QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
            QCOMPARE(window.windowTitle(), QString("Read From ECU"));
            QCOMPARE(window.statusText(), QString("Wait..."));
        }
        QVERIFY(!window.isVisible());
        QVERIFY(!QApplication::overrideCursor());
    }

    void aMessageBoxIsWideEnoughForItsCaption() {
        ui::QtMessageSink sink;
        int width = 0;
        onNextModal([&](QWidget* box) {
            width = box->width();
            static_cast<QDialog*>(box)->accept();
        });
        QCOMPARE(sink.show("Complete", "Read From ECU", text::Icon::Information), text::Answer::Ok);
        QFont bold = QApplication::font();
        bold.setBold(true);
        QVERIFY(width > QFontMetrics(bold).horizontalAdvance("Read From ECU") + 100);
    }

    void textsAreUtf8WhenValidElseLatin1() {
        QCOMPARE(ui::textFromBytes("Gar\xC3\xA9"), QString::fromUtf8("Gar\xC3\xA9"));
        QCOMPARE(ui::textFromBytes("Gar\xE9"), QString::fromLatin1("Gar\xE9"));
        const QString e = QString::fromUtf8("Gar\xC3\xA9 2");
        QCOMPARE(ui::bytesFromText(e, "Gar\xE9"), std::string("Gar\xE9 2"));
        QCOMPARE(ui::bytesFromText(e, "plain"), std::string("Gar\xC3\xA9 2"));
        QCOMPARE(ui::bytesFromText(QString::fromUtf8("\xE2\x82\xAC"), "\xE9"),
                 std::string("\xE2\x82\xAC"));
    }

    void splashTakesTheBitmapNextToTheProgram() {
        testing::TempFolder folder;
        const QString program = QString::fromStdString(folder.file("qmx"));
        QImage colour(30, 20, QImage::Format_RGB32);
        colour.fill(Qt::red);
        QImage plain(40, 10, QImage::Format_RGB32);
        plain.fill(Qt::blue);
        QVERIFY(colour.save(program + "Fc.bmp", "BMP"));
        QCOMPARE(ui::SplashScreen::pictureFor(program, 32).size(), QSize(30, 20));
        QCOMPARE(ui::SplashScreen::pictureFor(program, 8).size(), QSize(30, 20));
        QVERIFY(plain.save(program + ".bmp", "BMP"));
        QCOMPARE(ui::SplashScreen::pictureFor(program, 8).size(), QSize(40, 10));
        // A file that does not start with "BM" is passed over.
        folder.write("qmxFc.bmp", "XX not a bitmap");
        QCOMPARE(ui::SplashScreen::pictureFor(program, 32).size(), QSize(40, 10));
        folder.write("qmx.bmp", "XX");
        QCOMPARE(ui::SplashScreen::pictureFor(program, 32).size(),
                 ui::SplashScreen::builtInPicture().size());
    }

    void splashShowsTheMainWindowWhenItEnds() {
        QWidget main;
        bool shown = false;
        auto* splash = new ui::SplashScreen(ui::SplashScreen::builtInPicture(), 50, [&] {
            shown = true;
            main.showMaximized();
        });
        splash->show();
        QVERIFY(QTest::qWaitFor([&] { return shown; }, 10000));
        QVERIFY(main.isVisible());
    }
};

} // namespace

QObject* newServicesTest() {
    return new ServicesTest;
}

} // namespace qmx::uitest

#include "services_test.moc"
