// CAccessibleScreen: the device screen for screen readers on the desktop (AT-SPI through Qt): the
// board as a table of 81 cells, the palette, soft keys and toolbar as buttons, the clock as a
// label, each acting through the game's entry surface as a tap.
#pragma once

#include <QObject>
#include <QRect>

#include <map>
#include <utility>
#include <vector>

#include "ui/Accessible.h"

class CMainWindow;
class CSudokuApp;
class QAccessibleInterface;
class QEvent;

// What the window shows is one picture; this object gives Qt's accessibility the parts of it that
// CAccessible describes. The window's own interface (installed through Qt's factory, which is
// why the object must be built after the QApplication) lists them as its children: during the
// splash the splash alone, then the board (a table whose cells are the 81 cells, row by row),
// the palette digits, the soft keys, the toolbar buttons and the clock. The parts have no
// QObject: each has an interface registered with Qt while this object lives.
//
// After each picture the window presents (ScreenChanged), the description is read again at the
// end of the event and what changed is told to the screen reader: names, states, the parts
// shown, and the focus, which follows the selected cell (and goes to it as the window becomes
// active). An action (press) is the part's tap,
// run from the event loop once the reader's call has returned; it does nothing while a menu, a
// message box or a dialog is open. A soft key's press opens its popup as a click does.
class CAccessibleScreen : public QObject {
public:
    // The window and the application must outlive this object; the application has started.
    // The object follows the window's pictures while it lives.
    CAccessibleScreen(CMainWindow& window, CSudokuApp& app);
    ~CAccessibleScreen() override;
    CAccessibleScreen(const CAccessibleScreen&) = delete;
    CAccessibleScreen& operator=(const CAccessibleScreen&) = delete;

    // The window has presented a new picture.
    void ScreenChanged();

    // ---- For the interfaces ----
    // A part: its kind (or kBoard, the table) and its index within the kind.
    static constexpr int kBoard = -1;
    using Key = std::pair<int, int>;
    static Key KeyOf(const SAccessibleItem& item) {
        return {static_cast<int>(item.kind), item.index};
    }
    // The window's children now, in order.
    std::vector<Key> Children() const;
    const SAccessibleItem* Item(Key key) const;
    QAccessibleInterface* Interface(Key key);
    QAccessibleInterface* WindowInterface() const;
    CMainWindow& Window() const { return m_window; }
    // A device rectangle on the desktop.
    QRect GlobalRect(const SRect& rect) const;
    // The board's own name in the game's language.
    QString BoardName() const;
    // The cell with the selection frame, if any.
    const SAccessibleItem* SelectedCell() const;
    bool WindowActive() const;
    // Runs the part's action from the event loop.
    void Activate(Key key);

protected:
    // The window's activation gives the focus to the selected cell.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Update();
    // Tells the reader that the selected cell has the focus.
    void SendFocus();
    void Act(Key key);

    CMainWindow& m_window;
    CSudokuApp& m_app;
    CAccessible m_accessible;
    std::vector<SAccessibleItem> m_items;
    std::map<Key, QAccessibleInterface*> m_interfaces;
    bool m_pending = false;
    bool m_acting = false;
};
