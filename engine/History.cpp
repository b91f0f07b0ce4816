// Undo: whole-board snapshots and the selection state recorded with each action.
//
// m_history holds the board before each recorded action; m_actions holds, above its base
// record {-1, -1, 1} from Reset (and the first-cell record a new game pushes), the selection
// and number with which each recorded action was made. Undo restores the board and then the
// selection of the record below the one it pops, that is, the state before the undone
// action's own selection. There is no redo.
#include "engine/Board.h"

void CBoard::PushAction(int32_t x, int32_t y, int32_t number) {
    m_actions.push_back(SActionInfo{x, y, number});
}

void CBoard::Undo() {
    if (m_history.empty()) {
        return;
    }
    m_grid = m_history.back();
    m_history.pop_back();
    PopAction();
}

void CBoard::PopAction() {
    if (m_actions.empty()) {
        return;
    }
    m_actions.pop_back();
    if (!m_actions.empty()) {
        const SActionInfo& a = m_actions.back();
        m_selX = a.x;
        m_selY = a.y;
        m_number = a.number;
    }
}

void CBoard::ClearHistory() {
    m_history.clear();
    m_actions.clear();
}
