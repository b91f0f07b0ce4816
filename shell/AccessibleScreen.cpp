// CAccessibleScreen: Qt's accessibility interfaces over the description of the device screen.
#include "shell/AccessibleScreen.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>

#include "engine/Options.h"
#include "res/ReaderTexts.h"
#include "res/Strings.h"
#include "shell/MainWindow.h"
#include "ui/GameRoot.h"

namespace {

using Kind = SAccessibleItem::EKind;
using Key = CAccessibleScreen::Key;

// Qt asks a factory, a plain function, for the window's interface: it finds the screen of the
// window here. One entry per living CAccessibleScreen.
std::vector<CAccessibleScreen*>& Screens() {
    static std::vector<CAccessibleScreen*> screens;
    return screens;
}

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The window: its children are the parts of the device screen.
class CWindowInterface : public QAccessibleWidget {
public:
    CWindowInterface(QWidget* window, CAccessibleScreen* screen)
        : QAccessibleWidget(window, QAccessible::Window), m_screen(screen) {}

    int childCount() const override {
        return m_screen ? static_cast<int>(m_screen->Children().size()) : 0;
    }
    QAccessibleInterface* child(int index) const override {
        if (!m_screen) {
            return nullptr;
        }
        const auto children = m_screen->Children();
        return index >= 0 && index < static_cast<int>(children.size())
                   ? m_screen->Interface(children[static_cast<std::size_t>(index)])
                   : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!m_screen) {
            return -1;
        }
        const auto children = m_screen->Children();
        for (std::size_t i = 0; i < children.size(); ++i) {
            if (m_screen->Interface(children[i]) == child) {
                return static_cast<int>(i);
            }
        }
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* part = child(i);
            if (part != nullptr && part->rect().contains(x, y)) {
                return part;
            }
        }
        return nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        if (m_screen) {
            if (const SAccessibleItem* cell = m_screen->SelectedCell()) {
                return m_screen->Interface(CAccessibleScreen::KeyOf(*cell));
            }
        }
        return QAccessibleWidget::focusChild();
    }

private:
    QPointer<CAccessibleScreen> m_screen;
};

QAccessibleInterface* WindowFactory(const QString&, QObject* object) {
    for (CAccessibleScreen* screen : Screens()) {
        if (object == &screen->Window()) {
            return new CWindowInterface(&screen->Window(), screen);
        }
    }
    return nullptr;
}

// What every part without a QObject shares: its place among the window's children, its window.
class CPartBase : public QAccessibleInterface {
public:
    explicit CPartBase(CAccessibleScreen& screen) : m_screen(screen) {}
    bool isValid() const override { return true; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_screen.Window().windowHandle(); }
    void setText(QAccessible::Text, const QString&) override {}

protected:
    CAccessibleScreen& m_screen;
};

// One part: a cell (a table cell), a palette digit, a soft key, a toolbar button, the clock or
// the splash.
class CPartInterface : public CPartBase,
                       public QAccessibleTableCellInterface,
                       public QAccessibleActionInterface {
public:
    CPartInterface(CAccessibleScreen& screen, Key key) : CPartBase(screen), m_key(key) {}

    const SAccessibleItem* Item() const { return m_screen.Item(m_key); }
    bool IsCell() const { return m_key.first == static_cast<int>(Kind::kCell); }

    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return IsCell() ? m_screen.Interface({CAccessibleScreen::kBoard, 0})
                        : m_screen.WindowInterface();
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        const SAccessibleItem* item = Item();
        return item != nullptr && t == QAccessible::Name ? Text(item->name) : QString();
    }
    QRect rect() const override {
        const SAccessibleItem* item = Item();
        return item != nullptr ? m_screen.GlobalRect(item->rect) : QRect();
    }
    QAccessible::Role role() const override {
        switch (static_cast<Kind>(m_key.first)) {
            case Kind::kCell:
                return QAccessible::Cell;
            case Kind::kSoftKey:
                return QAccessible::ButtonMenu;
            case Kind::kClock:
                return QAccessible::StaticText;
            case Kind::kButton:
                return Item() != nullptr && Item()->checkable ? QAccessible::CheckBox
                                                              : QAccessible::Button;
            case Kind::kSplash:
            case Kind::kPalette:
                break;
        }
        return QAccessible::Button;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        const SAccessibleItem* item = Item();
        if (item == nullptr) {
            state.invisible = true;
            return state;
        }
        state.disabled = !item->enabled;
        state.checkable = item->checkable;
        state.checked = item->checked;
        state.hasPopup = item->kind == Kind::kSoftKey;
        if (IsCell()) {
            state.focusable = true;
            state.selectable = true;
            state.selected = item->selected;
            state.focused = item->selected && m_screen.WindowActive();
        } else if (item->kind == Kind::kPalette) {
            state.selected = item->selected;
        } else if (item->kind == Kind::kClock) {
            state.readOnly = true;
        }
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface && IsCell()) {
            return static_cast<QAccessibleTableCellInterface*>(this);
        }
        if (type == QAccessible::ActionInterface && Item() != nullptr && Item()->actionable) {
            return static_cast<QAccessibleActionInterface*>(this);
        }
        return nullptr;
    }

    // A cell of the board.
    bool isSelected() const override { return Item() != nullptr && Item()->selected; }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return m_key.second % 9; }
    int rowIndex() const override { return m_key.second / 9; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override {
        return m_screen.Interface({CAccessibleScreen::kBoard, 0});
    }

    // The action: the tap.
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) {
            m_screen.Activate(m_key);
        }
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    Key m_key;
};

// The board: a table of 9 x 9 cells.
class CBoardInterface : public CPartBase, public QAccessibleTableInterface {
public:
    using CPartBase::CPartBase;

    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < 81; ++i) {
            QAccessibleInterface* cell = child(i);
            if (cell != nullptr && cell->rect().contains(x, y)) {
                return cell;
            }
        }
        return nullptr;
    }
    QAccessibleInterface* parent() const override { return m_screen.WindowInterface(); }
    QAccessibleInterface* child(int index) const override {
        return index >= 0 && index < 81 ? m_screen.Interface({static_cast<int>(Kind::kCell), index})
                                        : nullptr;
    }
    int childCount() const override { return 81; }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (int i = 0; i < 81; ++i) {
            if (this->child(i) == child) {
                return i;
            }
        }
        return -1;
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? m_screen.BoardName() : QString();
    }
    QRect rect() const override { return child(0)->rect().united(child(80)->rect()); }
    QAccessible::Role role() const override { return QAccessible::Table; }
    QAccessible::State state() const override { return {}; }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::TableInterface ? static_cast<QAccessibleTableInterface*>(this)
                                                   : nullptr;
    }
    QAccessibleInterface* focusChild() const override {
        const SAccessibleItem* cell = m_screen.SelectedCell();
        return cell != nullptr ? m_screen.Interface(CAccessibleScreen::KeyOf(*cell)) : nullptr;
    }

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        return row >= 0 && row < 9 && column >= 0 && column < 9 ? child(row * 9 + column) : nullptr;
    }
    int selectedCellCount() const override { return m_screen.SelectedCell() != nullptr ? 1 : 0; }
    QList<QAccessibleInterface*> selectedCells() const override {
        QAccessibleInterface* cell = focusChild();
        return cell != nullptr ? QList<QAccessibleInterface*>{cell}
                               : QList<QAccessibleInterface*>{};
    }
    QString columnDescription(int) const override { return {}; }
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return 9; }
    int rowCount() const override { return 9; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}
};

}  // namespace

CAccessibleScreen::CAccessibleScreen(CMainWindow& window, CSudokuApp& app)
    : m_window(window), m_app(app), m_accessible(app), m_items(m_accessible.Describe()) {
    // Installed after Qt's widgets installed theirs, so that ours is asked first.
    static const bool installed = [] {
        QAccessible::installFactory(WindowFactory);
        return true;
    }();
    (void)installed;
    Screens().push_back(this);
    m_window.SetPresentObserver([this] { ScreenChanged(); });
    m_window.installEventFilter(this);
    // An interface Qt made for the window before this one existed is dropped, so that the
    // factory makes the window's.
    QAccessibleInterface* old = QAccessible::queryAccessibleInterface(&m_window);
    if (old != nullptr && dynamic_cast<CWindowInterface*>(old) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(old));
    }
}

CAccessibleScreen::~CAccessibleScreen() {
    m_window.SetPresentObserver({});
    std::erase(Screens(), this);
    for (const auto& [key, part] : m_interfaces) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(part));
    }
}

std::vector<Key> CAccessibleScreen::Children() const {
    std::vector<Key> children;
    bool board = false;
    for (const SAccessibleItem& item : m_items) {
        if (item.kind == Kind::kCell) {
            if (!board) {
                children.emplace_back(kBoard, 0);
                board = true;
            }
            continue;
        }
        children.push_back(KeyOf(item));
    }
    return children;
}

const SAccessibleItem* CAccessibleScreen::Item(Key key) const {
    const auto it = std::find_if(m_items.begin(), m_items.end(),
                                 [key](const SAccessibleItem& item) { return KeyOf(item) == key; });
    return it != m_items.end() ? &*it : nullptr;
}

QAccessibleInterface* CAccessibleScreen::Interface(Key key) {
    const auto it = m_interfaces.find(key);
    if (it != m_interfaces.end()) {
        return it->second;
    }
    QAccessibleInterface* part =
        key.first == kBoard ? static_cast<QAccessibleInterface*>(new CBoardInterface(*this))
                            : new CPartInterface(*this, key);
    QAccessible::registerAccessibleInterface(part);
    m_interfaces.emplace(key, part);
    return part;
}

QAccessibleInterface* CAccessibleScreen::WindowInterface() const {
    return QAccessible::queryAccessibleInterface(&m_window);
}

QRect CAccessibleScreen::GlobalRect(const SRect& rect) const {
    const QRect screen = m_window.DeviceScreenRect();
    const int scale = std::max(m_window.Scale(), 1);
    return {screen.topLeft() + QPoint(rect.left, rect.top) * scale,
            QSize(rect.Width(), rect.Height()) * scale};
}

QString CAccessibleScreen::BoardName() const {
    const int language = res::LanguageIndex(m_app.Root().Options().GetLanguage());
    return Text(std::string(res::ReaderWord(language, res::ReaderText::kBoard)));
}

const SAccessibleItem* CAccessibleScreen::SelectedCell() const {
    const auto it = std::find_if(m_items.begin(), m_items.end(), [](const SAccessibleItem& item) {
        return item.kind == Kind::kCell && item.selected;
    });
    return it != m_items.end() ? &*it : nullptr;
}

bool CAccessibleScreen::WindowActive() const {
    return m_window.isActiveWindow();
}

void CAccessibleScreen::ScreenChanged() {
    if (m_pending) {
        return;
    }
    m_pending = true;
    QTimer::singleShot(0, this, [this] { Update(); });
}

void CAccessibleScreen::Update() {
    m_pending = false;
    std::vector<SAccessibleItem> before = std::move(m_items);
    m_items = m_accessible.Describe();
    if (!QAccessible::isActive()) {
        return;
    }
    const auto find = [](const std::vector<SAccessibleItem>& items, Key key) {
        const auto it = std::find_if(items.begin(), items.end(),
                                     [key](const auto& item) { return KeyOf(item) == key; });
        return it != items.end() ? &*it : nullptr;
    };
    const auto keyOfBoard = [](const SAccessibleItem& item) {
        return item.kind == Kind::kCell ? Key{kBoard, 0} : KeyOf(item);
    };
    // Parts gone, then parts come (the splash gives way to the board).
    for (const SAccessibleItem& old : before) {
        if (find(m_items, KeyOf(old)) == nullptr && (old.kind != Kind::kCell || old.index == 0)) {
            QAccessibleEvent gone(Interface(keyOfBoard(old)), QAccessible::ObjectDestroyed);
            QAccessible::updateAccessibility(&gone);
        }
    }
    for (const SAccessibleItem& now : m_items) {
        const SAccessibleItem* old = find(before, KeyOf(now));
        if (old == nullptr) {
            if (now.kind != Kind::kCell || now.index == 0) {
                QAccessibleEvent come(Interface(keyOfBoard(now)), QAccessible::ObjectCreated);
                QAccessible::updateAccessibility(&come);
            }
            continue;
        }
        QAccessibleInterface* part = Interface(KeyOf(now));
        if (old->name != now.name) {
            QAccessibleEvent named(part, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&named);
        }
        QAccessible::State changed;
        changed.disabled = old->enabled != now.enabled;
        changed.checked = old->checked != now.checked;
        changed.selected = old->selected != now.selected;
        changed.focused = now.kind == Kind::kCell && old->selected != now.selected;
        if (changed.disabled || changed.checked || changed.selected) {
            QAccessibleStateChangeEvent stateChange(part, changed);
            QAccessible::updateAccessibility(&stateChange);
        }
    }
    // The focus follows the selected cell.
    const SAccessibleItem* cell = SelectedCell();
    const auto oldCell = std::find_if(before.begin(), before.end(), [](const auto& item) {
        return item.kind == Kind::kCell && item.selected;
    });
    if (cell != nullptr && (oldCell == before.end() || oldCell->index != cell->index)) {
        SendFocus();
    }
}

void CAccessibleScreen::SendFocus() {
    const SAccessibleItem* cell = SelectedCell();
    if (cell == nullptr || !WindowActive() || !QAccessible::isActive()) {
        return;
    }
    QAccessibleEvent focus(Interface(KeyOf(*cell)), QAccessible::Focus);
    QAccessible::updateAccessibility(&focus);
}

bool CAccessibleScreen::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &m_window && event->type() == QEvent::WindowActivate) {
        // After Qt has told of the window's own focus.
        QTimer::singleShot(0, this, [this] { SendFocus(); });
    }
    return QObject::eventFilter(watched, event);
}

void CAccessibleScreen::Activate(Key key) {
    QTimer::singleShot(0, this, [this, key] { Act(key); });
}

void CAccessibleScreen::Act(Key key) {
    if (m_acting || QApplication::activeModalWidget() != nullptr ||
        QApplication::activePopupWidget() != nullptr) {
        return;
    }
    const SAccessibleItem* item = Item(key);
    if (item == nullptr) {
        return;
    }
    const SAccessibleItem copy = *item;
    m_acting = true;
    const auto menu = m_accessible.Activate(copy);
    if (menu) {
        m_window.OpenMenu(*menu);
    }
    m_acting = false;
}
