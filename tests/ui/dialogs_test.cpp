#include "uitests.h"

#include "modal.h"

#include "app/titlelist.h"
#include "support/linesof.h"
#include "ui/addtitledialog.h"
#include "ui/dialogfont.h"
#include "ui/directorydialog.h"
#include "ui/titleeditordialog.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace qmx::uitest {
namespace {

app::TitleList titles(const std::vector<std::string>& lines) {
    return app::TitleList::read(qmx::testing::linesOf(lines));
}

class DialogsTest : public QObject {
    Q_OBJECT
private slots:
    void titleEditorEditsAndDeletesPairsAndMarksModified() {
        int marked = 0;
        ui::TitleEditorDialog editor(titles({"[Title]", "Engine", "QX400", "Owner", "Gar\xE9"}),
                                     [&] { ++marked; });
        auto* list = editor.findChild<QListWidget*>("titles");
        auto* edit = editor.findChild<QPushButton*>("edit");
        auto* remove = editor.findChild<QPushButton*>("delete");
        QCOMPARE(list->count(), 2);
        QVERIFY(!edit->isEnabled() && !remove->isEnabled());
        QVERIFY(!editor.findChild<QPushButton*>("add")->isEnabled());
        list->setCurrentRow(1);
        QVERIFY(edit->isEnabled() && remove->isEnabled());
        QCOMPARE(list->item(1)->data(Qt::UserRole).toString(), QString::fromLatin1("Gar\xE9"));
        onNextModal([](QWidget* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Edit Title"));
            auto* data = dialog->findChild<QLineEdit*>("data");
            QCOMPARE(data->text(), QString::fromLatin1("Gar\xE9"));
            data->setText(QString::fromLatin1("Gar\xE9 2"));
            static_cast<QDialog*>(dialog)->accept();
        });
        editor.editSelected();
        QCOMPARE(marked, 1);
        QCOMPARE(editor.titles().pairs()[1].data, std::string("Gar\xE9 2"));
        QCOMPARE(list->count(), 2);
    }

    void anEmptyTitleKeepsAddTitleOpen() {
        int marked = 0;
        ui::AddTitleDialog dialog("Add Title", "", "data", [&] { ++marked; });
        dialog.show();
        dialog.accept();
        QVERIFY(dialog.isVisible());
        QCOMPARE(marked, 0);
        QCOMPARE(dialog.findChild<QLineEdit*>("title")->maxLength(), 100);
        dialog.findChild<QLineEdit*>("title")->setText("Engine");
        dialog.accept();
        QVERIFY(!dialog.isVisible());
        QCOMPARE(marked, 1);
    }

    void dialogsTakeTheDialogFontSize() {
        const QFont before = QApplication::font("QDialog");
        ui::applyDialogFont(19);
        ui::DirectoryDialog dialog({});
        dialog.ensurePolished(); // as showing it does
        QCOMPARE(dialog.findChild<QComboBox*>("filePath")->font().pixelSize(), 19);
        QCOMPARE(QWidget().font().pixelSize(), QApplication::font().pixelSize());
        QApplication::setFont(before, "QDialog");
    }

    void directoryDialogOffersTheRecentFolders() {
        ui::DirectoryDialog dialog({"/work/a", "/work/b"});
        auto* path = dialog.findChild<QComboBox*>("filePath");
        QCOMPARE(path->count(), 2);
        QCOMPARE(path->currentText(), QString("/work/a"));
        path->setEditText("/work/c");
        QCOMPARE(dialog.folder(), std::string("/work/c"));
    }
};

} // namespace

QObject* newDialogsTest() {
    return new DialogsTest;
}

} // namespace qmx::uitest

#include "dialogs_test.moc"
