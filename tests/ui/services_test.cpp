#include "uitests.h"

#include "ui/splashscreen.h"

#include "support/tempfolder.h"

#include <QApplication>
#include <QImage>
#include <QTest>

namespace qmx::uitest {
namespace {

class ServicesTest : public QObject {
    Q_OBJECT
private slots:
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
