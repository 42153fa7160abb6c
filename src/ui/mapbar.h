#pragma once

#include "maps/mapbarcontent.h"

#include <QDockWidget>
#include <QStringList>

#include <array>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QListWidget;
class QTabBar;
class QToolButton;
class QTreeWidget;

namespace qmx::ui {

// The docked panel from which the user chooses the map and its line ("Ma&p" page) or looks at
// the calibration constants ("&Const" page), with four step buttons below. It only shows what
// the frame gives it and reports what the user chose.
class MapBar : public QDockWidget {
    Q_OBJECT
public:
    static constexpr int kMapPage = 0;
    static constexpr int kConstPage = 1;

    explicit MapBar(QWidget* parent = nullptr);

    // Fills the map list with `labels`; no map is chosen.
    void setMaps(const QStringList& labels);
    // Selects map `index` in the list without reporting it.
    void setCurrentMap(int index);
    // Refills the "&Line" list with `entries`, selecting `current`, without reporting it.
    void setLines(const QStringList& entries, int current);
    // Shows the "&ALL" box in `state` and enables it.
    void setAllState(maps::CheckState state);
    // Refills the constant list.
    void setConstants(const std::vector<maps::ConstantRow>& rows);
    // The no-document state: both lists and both value fields empty, "&ALL" disabled.
    void clear();

    // Shows the "Ma&p" page and puts the focus on the map list.
    void showMapPage();
    void showConstPage();
    int page() const;
    void focusMapList();
    void focusLineList();

    // The hidden value fields: the X value and data value of the current selection.
    void setValueTexts(const QString& xValue, const QString& dataValue);
    const QString& xValueText() const { return m_xValue; }
    const QString& dataValueText() const { return m_dataValue; }

signals:
    void mapChosen(int index);
    void lineChosen(int index);
    void allClicked();
    // A click in the constant list, on entry `index`.
    void constantsClicked(int index);
    // A step button: the edit operation code for the active document window.
    void stepClicked(int code);
    // Esc inside the bar.
    void escapePressed();
    // The focus should go back to the document windows.
    void documentFocusWanted();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void switchPage(int page);
    void layOut();
    // Widens the constant list's columns to their texts (never below 180 and 100 pixels) and
    // the bar, so that both columns show whole.
    void fitConstantColumns();
    bool handleKey(QObject* watched, QEvent* event);

    QWidget* m_panel;
    QFrame* m_tabFrame;
    QTabBar* m_tabs;
    QListWidget* m_maps;
    QLabel* m_lineLabel;
    QComboBox* m_lines;
    QCheckBox* m_all;
    QTreeWidget* m_constants;
    std::array<QToolButton*, 4> m_steps{};
    QString m_xValue;
    QString m_dataValue;
    bool m_filling = false; // changes made by the frame are not reported back
};

} // namespace qmx::ui
