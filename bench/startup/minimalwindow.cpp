#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMetaObject>

// The peer of the start-up benchmark: one empty main window, ended at its first paint.
namespace {

class QuitOnFirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
        return false;
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow window;
    QuitOnFirstPaint quit;
    window.installEventFilter(&quit);
    window.showMaximized();
    return app.exec();
}
