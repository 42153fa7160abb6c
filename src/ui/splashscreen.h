#pragma once

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>

namespace qmx::ui {

// The borderless picture shown at start-up before the main window. The picture comes from a
// bitmap next to the program (program path without extension + "Fc.bmp" or ".bmp") when one
// loads, else from the picture built into the program.
class SplashScreen : public QWidget {
public:
    // Shows the picture, centred, for `ms` milliseconds, then closes itself and calls `done`.
    SplashScreen(const QPixmap& picture, int ms, std::function<void()> done);

    // The picture for the program at `programPath` on a display of `depth` bits per pixel:
    // with 16 or more bits the "Fc.bmp" file first, else the ".bmp" file first; a file that
    // does not start with "BM" or does not load is passed over.
    static QPixmap pictureFor(const QString& programPath, int depth);
    // The picture built into the program.
    static QPixmap builtInPicture();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};

} // namespace qmx::ui
