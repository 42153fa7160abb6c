#include "ui/splashscreen.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace qmx::ui {

namespace {

// The bitmap in `path` when it is a BM file that loads.
QPixmap bitmapFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(2) != "BM")
        return {};
    file.close();
    QPixmap picture;
    if (!picture.load(path, "BMP"))
        return {};
    return picture;
}

} // namespace

SplashScreen::SplashScreen(const QPixmap& picture, int ms, std::function<void()> done)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_picture(picture) {
    setObjectName("splash");
    setAttribute(Qt::WA_DeleteOnClose);
    setCursor(Qt::ArrowCursor);
    setFixedSize(m_picture.size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    QTimer::singleShot(ms, this, [this, done = std::move(done)] {
        close();
        done();
    });
}

QPixmap SplashScreen::pictureFor(const QString& programPath, int depth) {
    const QFileInfo program(programPath);
    const QString stem = program.path() + "/" + program.completeBaseName();
    const QString colour = stem + "Fc.bmp";
    const QString plain = stem + ".bmp";
    for (const QString& path :
         depth >= 16 ? QStringList{colour, plain} : QStringList{plain, colour}) {
        if (QPixmap picture = bitmapFile(path); !picture.isNull())
            return picture;
    }
    return builtInPicture();
}

QPixmap SplashScreen::builtInPicture() {
    QPixmap picture(420, 240);
    QPainter painter(&picture);
    QLinearGradient sky(0, 0, 0, picture.height());
    sky.setColorAt(0, QColor(0, 0, 128));
    sky.setColorAt(1, QColor(64, 200, 200));
    painter.fillRect(picture.rect(), sky);
    painter.setPen(Qt::white);
    QFont title("Arial", 40, QFont::Bold);
    painter.setFont(title);
    painter.drawText(picture.rect().adjusted(0, 0, 0, -60), Qt::AlignCenter, "qmx");
    painter.setFont(QFont("Arial", 12));
    painter.drawText(picture.rect().adjusted(0, 90, 0, 0), Qt::AlignCenter,
                     "Tarvik ECU calibration");
    return picture;
}

void SplashScreen::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
}

} // namespace qmx::ui
