// The literal model of the board, solver, generator and undo (see ReferenceBoard.h).
#include "tests/support/ReferenceBoard.h"

#include <cassert>

#include "engine/Options.h"

namespace reference {

namespace {

constexpr uint16_t kAll = 511;

// The bit of a value; an empty cell (and anything outside 1..9) has none.
uint16_t Bit(int v) {
    return (v >= 1 && v <= 9) ? static_cast<uint16_t>(1 << (v - 1)) : 0;
}

int CountBits(uint32_t m) {
    int n = 0;
    for (int k = 0; k < 9; ++k) {
        n += static_cast<int>((m >> k) & 1U);
    }
    return n;
}

}  // namespace

// --- Stored form ---

int16_t CGridView::Get16(std::size_t at) const {
    return static_cast<int16_t>(m_bytes[at] | (m_bytes[at + 1] << 8));
}

int32_t CGridView::Get32(std::size_t at) const {
    uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        v |= static_cast<uint32_t>(m_bytes[at + i]) << (8 * i);
    }
    return static_cast<int32_t>(v);
}

void CGridView::Put16(std::size_t at, int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    m_bytes[at] = static_cast<uint8_t>(u & 0xFF);
    m_bytes[at + 1] = static_cast<uint8_t>(u >> 8);
}

void CGridView::Put32(std::size_t at, int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (std::size_t i = 0; i < 4; ++i) {
        m_bytes[at + i] = static_cast<uint8_t>((u >> (8 * i)) & 0xFF);
    }
}

GridBytes GridFromText(std::string_view text, bool given) {
    GridBytes g{};
    CGridView v(g);
    for (int i = 0; i < 81 && i < static_cast<int>(text.size()); ++i) {
        const char c = text[static_cast<std::size_t>(i)];
        if (c >= '1' && c <= '9') {
            v.SetValue(i % 9, i / 9, static_cast<uint8_t>(c - '0'));
            v.SetGiven(i % 9, i / 9, given ? 1 : 0);
        }
    }
    return g;
}

// --- Board model and rules ---

CReferenceBoard::CReferenceBoard(CRandom& random, COptions& options)
    : m_random(random), m_options(options) {
    Reset();
}

void CReferenceBoard::Reset() {
    m_list.clear();
    m_grid.fill(0);
    m_history.clear();
    m_actions.clear();
    m_number = 1;
    m_selX = -1;
    m_selY = -1;
    m_actions.push_back(SAction{-1, -1, 1});
    m_options.SetReservedFlag(0);
}

bool CReferenceBoard::SelectCell(int32_t x, int32_t y, bool force) {
    if (!force && x != -1 && y != -1 && IsGiven(x, y)) {
        return false;
    }
    m_selX = x;
    m_selY = y;
    return true;
}

uint16_t CReferenceBoard::LegalMask(int x, int y) {
    CGridView v = View();
    const uint8_t saved = v.Value(x, y);
    v.SetValue(x, y, 0);
    uint16_t row = kAll;
    uint16_t col = kAll;
    uint16_t box = kAll;
    for (int i = 0; i < 9; ++i) {
        row = static_cast<uint16_t>(row & ~Bit(v.Value(i, y)));
        col = static_cast<uint16_t>(col & ~Bit(v.Value(x, i)));
    }
    const int x0 = x - x % 3;
    const int y0 = y - y % 3;
    for (int i = x0; i < x0 + 3; ++i) {
        for (int j = y0; j < y0 + 3; ++j) {
            box = static_cast<uint16_t>(box & ~Bit(v.Value(i, j)));
        }
    }
    v.SetValue(x, y, saved);
    return static_cast<uint16_t>(row & col & box);
}

void CReferenceBoard::UpdateAutoMarks() {
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            if (IsEmpty(x, y)) {
                View().SetAutoMarks(x, y, static_cast<int16_t>(LegalMask(x, y)));
            }
        }
    }
}

void CReferenceBoard::Record() {
    m_history.push_back(m_grid);
    m_actions.push_back(SAction{m_selX, m_selY, m_number});
}

bool CReferenceBoard::PlaceNumber(bool pencil) {
    const bool selected = m_selX != -1 && m_selY != -1;
    if (m_options.GetCustomEntry()) {
        if (selected) {
            Record();
            View().SetValue(m_selX, m_selY, static_cast<uint8_t>(m_number));
            View().SetGiven(m_selX, m_selY, 1);
        }
        return false;
    }
    if (!selected || IsGiven(m_selX, m_selY) || m_number <= 0) {
        return false;
    }
    Record();
    if (pencil) {
        const int16_t marks = View().Marks(m_selX, m_selY);
        View().SetMarks(m_selX, m_selY, static_cast<int16_t>(marks ^ Bit(m_number)));
    } else {
        View().SetValue(m_selX, m_selY, static_cast<uint8_t>(m_number));
    }
    UpdateAutoMarks();
    return true;
}

void CReferenceBoard::EraseCell(int x, int y, bool pencil) {
    const bool custom = m_options.GetCustomEntry();
    if (IsGiven(x, y) && !custom) {
        return;
    }
    Record();
    if (pencil) {
        View().SetMarks(x, y, 0);
    } else {
        View().SetValue(x, y, 0);
    }
    if (custom) {
        View().SetGiven(x, y, 0);
    }
    UpdateAutoMarks();
}

void CReferenceBoard::EraseIllegal() {
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            const uint8_t v = View().Value(x, y);
            if (v != 0 && !IsGiven(x, y) && (LegalMask(x, y) & Bit(v)) == 0) {
                View().SetValue(x, y, 0);
            }
        }
    }
    UpdateAutoMarks();
}

void CReferenceBoard::Restart() {
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            if (!IsGiven(x, y)) {
                View().SetValue(x, y, 0);
                View().SetAutoMarks(x, y, 0);
                View().SetMarks(x, y, 0);
            }
        }
    }
    UpdateAutoMarks();
}

bool CReferenceBoard::IsConsistent() {
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            const uint8_t v = View().Value(x, y);
            if (v != 0 && (LegalMask(x, y) & Bit(v)) == 0) {
                return false;
            }
        }
    }
    return true;
}

// --- Solver ---

SResult CReferenceBoard::Eliminate(int x, int y, int d) {
    CGridView v = View();
    const int16_t marks = v.Marks(x, y);
    if ((marks & Bit(d)) != 0) {
        v.SetMarks(x, y, static_cast<int16_t>(marks & ~Bit(d)));
        v.SetCandCount(x, y, static_cast<int16_t>(v.CandCount(x, y) - 1));
        if (v.CandCount(x, y) == 0) {
            return {2, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
        }
    }
    return {0, 0, 0};
}

SResult CReferenceBoard::PlaceDigit(int x, int y, int d) {
    if (d == 0) {
        return {3, 0, 0};
    }
    CGridView v = View();
    if (v.Value(x, y) == 0) {
        v.SetEmptyCount(v.EmptyCount() - 1);
    }
    v.SetValue(x, y, static_cast<uint8_t>(d));
    v.SetCandCount(x, y, 0);
    v.SetMarks(x, y, 0);
    for (int i = 0; i < 9; ++i) {
        if (Eliminate(i, y, d).code == 2) {
            return {3, 0, 0};
        }
        if (Eliminate(x, i, d).code == 2) {
            return {3, 0, 0};
        }
    }
    const int x0 = x - x % 3;
    const int y0 = y - y % 3;
    for (int j = 0; j < 3; ++j) {
        for (int k = 0; k < 3; ++k) {
            if (Eliminate(x0 + k, y0 + j, d).code == 2) {
                return {3, 0, 0};
            }
        }
    }
    return {0, 0, 0};
}

int CReferenceBoard::HighestBit(uint32_t m) {
    int shifts = 0;
    while (m != 0) {
        m >>= 1;
        ++shifts;
    }
    return shifts;
}

int CReferenceBoard::MaskToDigits(uint32_t m, uint8_t* digits) {
    int n = 0;
    for (int k = 0; k < 9; ++k) {
        if ((m & (1U << k)) != 0) {
            digits[n++] = static_cast<uint8_t>(k);
        }
    }
    return n;
}

SResult CReferenceBoard::PlaceSingle(int x, int y) {
    return PlaceDigit(x, y, HighestBit(static_cast<uint16_t>(View().Marks(x, y))));
}

SResult CReferenceBoard::SinglesPass() {
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            if (!IsEmpty(x, y)) {
                continue;
            }
            CGridView v = View();
            v.SetEmptyCount(v.EmptyCount() + 1);
            const uint16_t m = LegalMask(x, y);
            v.SetMarks(x, y, static_cast<int16_t>(m));
            const int n = CountBits(m);
            if (n == 1) {
                if (PlaceSingle(x, y).code != 0) {
                    return {1, 0, 0};
                }
            } else if (n == 0) {
                return {2, static_cast<uint8_t>(x), static_cast<uint8_t>(y)};
            } else {
                v.SetCandCount(x, y, static_cast<int16_t>(n));
            }
        }
    }
    return {View().EmptyCount() != 0 ? 3 : 0, 0, 0};
}

bool CReferenceBoard::FindBranchCell(int& bx, int& by) {
    int best = 10;
    for (int y = 0; y < 9; ++y) {
        for (int x = 0; x < 9; ++x) {
            const int n = View().CandCount(x, y);
            if (IsEmpty(x, y) && n > 0 && n < best) {
                best = n;
                bx = x;
                by = y;
            }
        }
    }
    return best < 10;
}

void CReferenceBoard::PushFrame(int x, int y) {
    m_scratch.grid = m_grid;
    m_scratch.candCount = static_cast<int16_t>(
        MaskToDigits(static_cast<uint16_t>(View().Marks(x, y)), m_scratch.cands));
    m_scratch.x = static_cast<uint8_t>(x);
    m_scratch.y = static_cast<uint8_t>(y);
    m_search.push_back(m_scratch);
}

SResult CReferenceBoard::Search() {
    m_search.clear();
    int bx = 0;
    int by = 0;
    if (!FindBranchCell(bx, by)) {
        return {3, 0, 0};
    }
    PushFrame(bx, by);
    SResult last{3, 0, 0};
    for (;;) {
        if (m_search.empty()) {
            return last;
        }
        SolveInfo& top = m_search.back();
        if (top.candCount == 0) {
            m_search.pop_back();
            continue;
        }
        m_grid = top.grid;
        const int i = m_random.Next() % top.candCount;
        const int end = top.candCount - 1;
        if (i != end) {
            std::swap(top.cands[i], top.cands[end]);
        }
        const int digit = top.cands[end] + 1;
        top.candCount = static_cast<int16_t>(top.candCount - 1);
        last = PlaceDigit(top.x, top.y, digit);
        if (last.code == 3) {
            continue;
        }
        if (View().EmptyCount() == 0) {
            m_search.clear();
            return {0, 0, 0};
        }
        const bool found = FindBranchCell(bx, by);
        assert(found);  // every empty cell keeps a candidate after a successful PlaceDigit
        (void)found;
        PushFrame(bx, by);
    }
}

void CReferenceBoard::ClearSolverFields() {
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            View().SetCandCount(x, y, 0);
            View().SetMarks(x, y, 0);
        }
    }
}

SResult CReferenceBoard::Solve() {
    m_search.clear();
    if (!IsConsistent()) {
        return {1, 0, 0};
    }
    ClearSolverFields();
    View().SetEmptyCount(0);
    SResult r = SinglesPass();
    if (r.code == 3) {
        m_search.clear();
        r = Search();
    }
    return r;
}

void CReferenceBoard::Append(int x, int y) {
    if (m_list.size() < 81) {
        m_list.emplace_back(x, y);
    }
}

SResult CReferenceBoard::HiddenSingles(bool listOnly) {
    // The 27 groups as lists of (x, y): columns, rows, then boxes down the left column first.
    std::vector<std::vector<std::pair<int, int>>> groups;
    for (int x = 0; x < 9; ++x) {
        auto& g = groups.emplace_back();
        for (int y = 0; y < 9; ++y) {
            g.emplace_back(x, y);
        }
    }
    for (int y = 0; y < 9; ++y) {
        auto& g = groups.emplace_back();
        for (int x = 0; x < 9; ++x) {
            g.emplace_back(x, y);
        }
    }
    for (int k = 0; k < 9; ++k) {
        auto& g = groups.emplace_back();
        const int x0 = 3 * (k / 3);
        const int y0 = 3 * (k % 3);
        for (int x = x0; x < x0 + 3; ++x) {
            for (int y = y0; y < y0 + 3; ++y) {
                g.emplace_back(x, y);
            }
        }
    }

    m_list.clear();
    int lastX = 0;
    int lastY = 0;
    bool found = true;
    bool firstPass = true;
    while (listOnly ? firstPass : found) {
        firstPass = false;
        found = false;
        for (const auto& group : groups) {
            uint16_t once = 0;
            uint16_t twice = 0;
            std::pair<int, int> cellOf[9];
            for (const auto& [x, y] : group) {
                if (!IsEmpty(x, y)) {
                    continue;
                }
                const uint16_t m = LegalMask(x, y);
                twice = static_cast<uint16_t>(twice | (once & m));
                once = static_cast<uint16_t>(once | m);
                for (int k = 0; k < 9; ++k) {
                    if ((m & (1 << k)) != 0) {
                        cellOf[k] = {x, y};
                    }
                }
            }
            const auto unique = static_cast<uint16_t>(~twice & kAll & once);
            for (int k = 0; k < 9; ++k) {
                if ((unique & (1 << k)) == 0) {
                    continue;
                }
                found = true;
                lastX = cellOf[k].first;
                lastY = cellOf[k].second;
                if (listOnly) {
                    Append(lastX, lastY);
                } else {
                    PlaceDigit(lastX, lastY, k + 1);
                }
            }
        }
    }
    UpdateAutoMarks();
    const bool done = listOnly ? !m_list.empty() : View().EmptyCount() == 0;
    return {done ? 0 : 3, static_cast<uint8_t>(lastX), static_cast<uint8_t>(lastY)};
}

bool CReferenceBoard::FindHint(int32_t& x, int32_t& y) {
    m_list.clear();
    for (int cx = 0; cx < 9; ++cx) {
        for (int cy = 0; cy < 9; ++cy) {
            if (IsEmpty(cx, cy) &&
                CountBits(static_cast<uint16_t>(View().AutoMarks(cx, cy))) == 1) {
                Append(cx, cy);
            }
        }
    }
    if (m_list.empty()) {
        HiddenSingles(true);
    }
    if (m_list.empty()) {
        return false;
    }
    x = m_list[m_list.size() / 2].first;
    y = m_list[m_list.size() / 2].second;
    return true;
}

bool CReferenceBoard::SolveCell() {
    int tx = m_selX;
    int ty = m_selY;
    if (m_options.GetInputMode() == 1) {
        m_list.clear();
        for (int cx = 0; cx < 9; ++cx) {
            for (int cy = 0; cy < 9; ++cy) {
                if (IsEmpty(cx, cy)) {
                    Append(cx, cy);
                }
            }
        }
        if (!m_list.empty()) {
            tx = m_list[m_list.size() / 2].first;
            ty = m_list[m_list.size() / 2].second;
        }
    }
    if (tx == -1 || ty == -1) {
        return true;
    }
    m_history.push_back(m_grid);
    ClearSolverFields();
    const SResult r = Solve();
    const uint8_t digit = View().Value(tx, ty);
    m_grid = m_history.back();
    m_history.pop_back();
    if (r.code != 0) {
        return false;
    }
    View().SetValue(tx, ty, digit);
    UpdateAutoMarks();
    return true;
}

bool CReferenceBoard::SolvePuzzle() {
    m_history.push_back(m_grid);
    ClearSolverFields();
    const SResult r = Solve();
    GridBytes solved = m_grid;
    m_grid = m_history.back();
    m_history.pop_back();
    if (r.code != 0) {
        return false;
    }
    CGridView from(solved);
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            View().SetValue(x, y, from.Value(x, y));
        }
    }
    UpdateAutoMarks();
    return true;
}

bool CReferenceBoard::CheckInput() {
    Record();
    ClearSolverFields();
    const SResult r = Solve();
    m_grid = m_history.back();
    m_history.pop_back();
    m_selX = m_actions.back().x;
    m_selY = m_actions.back().y;
    m_number = m_actions.back().number;
    m_actions.pop_back();
    return r.code == 0;
}

// --- Generator ---

bool CReferenceBoard::NewPuzzle(int32_t holes) {
    int attempts = 0;
    bool accepted = false;
    while (!accepted && attempts < 10) {
        Reset();
        Solve();
        DigHoles(holes);
        const GridBytes copy = m_grid;
        accepted = HiddenSingles(false).code == 0;
        ++attempts;
        m_grid = copy;
    }
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            if (!IsEmpty(x, y)) {
                View().SetGiven(x, y, 1);
            }
        }
    }
    UpdateAutoMarks();
    return true;
}

void CReferenceBoard::DigHoles(int32_t holes) {
    std::vector<int> list;
    for (int i = 0; i < 81; ++i) {
        list.push_back(i);
    }
    while (View().EmptyCount() < holes && !list.empty()) {
        const auto j = static_cast<std::size_t>(m_random.Next()) % list.size();
        const int e = list[j];
        ClearCellValue(e % 9, e / 9);
        list.erase(list.begin() + static_cast<std::ptrdiff_t>(j));
    }
}

void CReferenceBoard::ClearCellValue(int x, int y) {
    if (!IsEmpty(x, y)) {
        View().SetEmptyCount(View().EmptyCount() + 1);
    }
    View().SetValue(x, y, 0);
}

bool CReferenceBoard::ValidateCustom() {
    bool any = false;
    for (int x = 0; x < 9; ++x) {
        for (int y = 0; y < 9; ++y) {
            any = any || !IsEmpty(x, y);
        }
    }
    if (!any) {
        return false;
    }
    Record();
    const SResult r = Solve();
    m_grid = m_history.back();
    m_history.pop_back();
    m_actions.pop_back();
    if (!m_actions.empty()) {
        m_selX = m_actions.back().x;
        m_selY = m_actions.back().y;
        m_number = m_actions.back().number;
    }
    return r.code == 0;
}

// --- History ---

void CReferenceBoard::PushAction(int32_t x, int32_t y, int32_t number) {
    m_actions.push_back(SAction{x, y, number});
}

void CReferenceBoard::Undo() {
    if (m_history.empty()) {
        return;
    }
    m_grid = m_history.back();
    m_history.pop_back();
    assert(!m_actions.empty());  // every recorded board came with a record
    m_actions.pop_back();
    if (!m_actions.empty()) {
        m_number = m_actions.back().number;
        m_selX = m_actions.back().x;
        m_selY = m_actions.back().y;
    }
}

void CReferenceBoard::ClearHistory() {
    m_history.clear();
    m_actions.clear();
}

}  // namespace reference
