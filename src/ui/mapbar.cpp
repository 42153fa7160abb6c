#include "ui/mapbar.h"

#include "maps/mapbarlayout.h"
#include "ui/textcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QTreeWidget>

namespace qmx::ui {

namespace {

QRect toRect(const maps::BarRect& r) {
    return {r.x, r.y, r.width, r.height};
}

// Runs `change` with the bar's reporting switched off.
template <typename F> void silently(bool& filling, F change) {
    const bool before = filling;
    filling = true;
    change();
    filling = before;
}

} // namespace

MapBar::MapBar(QWidget* parent)
    : QDockWidget(parent), m_panel(new QWidget(this)), m_tabFrame(new QFrame(m_panel)),
      m_tabs(new QTabBar(m_panel)), m_maps(new QListWidget(m_panel)),
      m_lineLabel(new QLabel("&Line", m_panel)), m_lines(new QComboBox(m_panel)),
      m_all(new QCheckBox("ALL", m_panel)), m_constants(new QTreeWidget(m_panel)) {
    setObjectName("mapBar");
    setWindowTitle("Map");
    setFeatures(QDockWidget::DockWidgetMovable);
    setWidget(m_panel);

    m_tabFrame->setFrameShape(QFrame::StyledPanel);
    m_tabs->setObjectName("pages");
    m_tabs->addTab("Ma&p");
    m_tabs->addTab("&Const");
    m_maps->setObjectName("mapList");
    m_lines->setObjectName("lineList");
    m_lineLabel->setBuddy(m_lines);
    m_all->setObjectName("allBox");
    // No mnemonic: Alt+A belongs to Window > All, which toggles the same option.
    m_all->setTristate(true);
    m_all->setEnabled(false);
    m_constants->setObjectName("constList");
    m_constants->setColumnCount(2);
    m_constants->setHeaderLabels({"Contents", "Value"});
    m_constants->setRootIsDecorated(false);
    m_constants->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_constants->setSelectionMode(QAbstractItemView::SingleSelection);
    m_constants->setStyleSheet("QTreeView::item { border: 1px solid #d0d0d0; }");

    static constexpr const char* kStepTexts[] = {"-10", "+10", "-1", "+1"};
    static constexpr const char* kStepTips[] = {"Lower by 10", "Raise by 10", "Lower by 1",
                                                "Raise by 1"};
    for (std::size_t i = 0; i < m_steps.size(); ++i) {
        auto* button = new QToolButton(m_panel);
        button->setObjectName(QString("step%1").arg(i + 1));
        button->setText(kStepTexts[i]);
        button->setToolTip(kStepTips[i]);
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(32, 26);
        const int code = maps::kStepButtonCodes[i];
        connect(button, &QToolButton::clicked, this, [this, code] { emit stepClicked(code); });
        m_steps[i] = button;
    }

    connect(m_tabs, &QTabBar::currentChanged, this, &MapBar::switchPage);
    connect(m_maps, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!m_filling && row >= 0)
            emit mapChosen(row);
    });
    connect(m_lines, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!m_filling && index >= 0)
            emit lineChosen(index);
    });
    connect(m_all, &QCheckBox::clicked, this, [this] { emit allClicked(); });
    connect(m_constants, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        m_constants->clearSelection();
        emit constantsClicked(m_constants->indexOfTopLevelItem(item));
    });

    for (QWidget* w : std::initializer_list<QWidget*>{m_maps, m_lines, m_all, m_constants, m_tabs})
        w->installEventFilter(this);
    m_panel->installEventFilter(this);
    m_panel->setMinimumSize(180, 200);
    fitConstantColumns();
    switchPage(kMapPage);
}

void MapBar::setMaps(const QStringList& labels) {
    silently(m_filling, [&] {
        m_maps->clear();
        m_maps->addItems(labels);
    });
}

void MapBar::setCurrentMap(int index) {
    silently(m_filling, [&] { m_maps->setCurrentRow(index); });
}

void MapBar::setLines(const QStringList& entries, int current) {
    silently(m_filling, [&] {
        m_lines->clear();
        m_lines->addItems(entries);
        if (current >= 0 && current < entries.size())
            m_lines->setCurrentIndex(current);
    });
}

void MapBar::setAllState(maps::CheckState state) {
    m_all->setEnabled(true);
    switch (state) {
    case maps::CheckState::Checked:
        m_all->setCheckState(Qt::Checked);
        break;
    case maps::CheckState::Unchecked:
        m_all->setCheckState(Qt::Unchecked);
        break;
    case maps::CheckState::Indeterminate:
        m_all->setCheckState(Qt::PartiallyChecked);
        break;
    }
}

void MapBar::setConstants(const std::vector<maps::ConstantRow>& rows) {
    m_constants->clear();
    for (const maps::ConstantRow& row : rows)
        new QTreeWidgetItem(m_constants, {textFromBytes(row.contents), textFromBytes(row.value)});
    fitConstantColumns();
}

void MapBar::fitConstantColumns() {
    static constexpr int kMinimumWidths[] = {180, 100};
    int columns = 0;
    for (int column = 0; column < 2; ++column) {
        m_constants->resizeColumnToContents(column);
        const int width = std::max(kMinimumWidths[column], m_constants->columnWidth(column));
        m_constants->setColumnWidth(column, width);
        columns += width;
    }
    // The list is 20 pixels narrower than the bar (the tab frame and its margins); its frame and
    // a vertical scroll bar take their part.
    const int frame = 2 * m_constants->frameWidth();
    const int bar = m_constants->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_panel->setMinimumWidth(columns + frame + bar + 20);
}

void MapBar::clear() {
    silently(m_filling, [&] {
        m_maps->clear();
        m_lines->clear();
    });
    m_constants->clear();
    m_all->setCheckState(Qt::Unchecked);
    m_all->setEnabled(false);
    setValueTexts({}, {});
}

void MapBar::showMapPage() {
    m_tabs->setCurrentIndex(kMapPage);
    switchPage(kMapPage);
    if (isVisible())
        focusMapList();
}

void MapBar::showConstPage() {
    m_tabs->setCurrentIndex(kConstPage);
    switchPage(kConstPage);
}

int MapBar::page() const {
    return m_tabs->currentIndex();
}

void MapBar::focusMapList() {
    m_maps->setFocus(Qt::ShortcutFocusReason);
}

void MapBar::focusLineList() {
    m_lines->setFocus(Qt::ShortcutFocusReason);
}

void MapBar::setValueTexts(const QString& xValue, const QString& dataValue) {
    m_xValue = xValue;
    m_dataValue = dataValue;
}

void MapBar::switchPage(int page) {
    const bool mapPage = page == kMapPage;
    m_maps->setVisible(mapPage);
    m_lineLabel->setVisible(mapPage);
    m_lines->setVisible(mapPage);
    m_all->setVisible(mapPage);
    m_constants->setVisible(!mapPage);
}

void MapBar::layOut() {
    maps::MapBarSizes sizes;
    sizes.barWidth = m_panel->width();
    sizes.barHeight = m_panel->height();
    sizes.buttonWidth = m_steps[0]->width();
    sizes.buttonHeight = m_steps[0]->height();
    sizes.tabRowHeight = m_tabs->sizeHint().height();
    const int lineHeight = m_lines->sizeHint().height();
    sizes.lineLabel = {10, 0, m_lineLabel->sizeHint().width(), lineHeight};
    sizes.lineList = {sizes.lineLabel.x + sizes.lineLabel.width + 4, 0, 90, lineHeight};
    sizes.allBox = {sizes.lineList.x + sizes.lineList.width + 8, 0, m_all->sizeHint().width(),
                    lineHeight};
    const maps::MapBarLayout layout = maps::layOutMapBar(sizes);
    for (std::size_t i = 0; i < m_steps.size(); ++i)
        m_steps[i]->setGeometry(toRect(layout.buttons[i]));
    m_tabFrame->setGeometry(toRect(layout.tabs));
    m_tabs->setGeometry(layout.tabs.x, layout.tabs.y, layout.tabs.width, sizes.tabRowHeight);
    m_maps->setGeometry(toRect(layout.mapList));
    m_constants->setGeometry(toRect(layout.constList));
    m_lineLabel->setGeometry(toRect(layout.lineLabel));
    m_lines->setGeometry(toRect(layout.lineList));
    m_all->setGeometry(toRect(layout.allBox));
    m_tabs->raise();
}

bool MapBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_panel && event->type() == QEvent::Resize)
        layOut();
    if (watched == m_constants && event->type() == QEvent::FocusIn) {
        emit documentFocusWanted();
        return false;
    }
    if (handleKey(watched, event))
        return true;
    return QDockWidget::eventFilter(watched, event);
}

// The bar's own keys: arrows stay with the focused list, Enter does nothing, Esc and Ctrl+Tab
// go to the frame; every other key is left to the frame's accelerators.
bool MapBar::handleKey(QObject*, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    const bool plain = mods == Qt::NoModifier;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (plain && event->type() == QEvent::ShortcutOverride) {
            event->accept(); // the list moves its selection
            return true;
        }
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!plain)
            return false;
        event->accept();
        return true;
    case Qt::Key_Escape:
        if (event->type() == QEvent::KeyPress)
            emit escapePressed();
        event->accept();
        return true;
    case Qt::Key_Tab:
        if (mods == Qt::ControlModifier) {
            if (event->type() == QEvent::KeyPress)
                emit documentFocusWanted();
            event->accept();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void MapBar::showEvent(QShowEvent* event) {
    QDockWidget::showEvent(event);
    m_tabs->setCurrentIndex(kMapPage);
    switchPage(kMapPage);
}

} // namespace qmx::ui
