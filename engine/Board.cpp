// The board model: cells, the rules of Sudoku, the player's edits and the state record.
#include "engine/Board.h"

#include <cstring>

#include "engine/ByteIO.h"
#include "engine/Digits.h"
#include "engine/Options.h"
#include "engine/SearchBoard.h"  // the frames of the search stack, made and freed with the board

namespace {

constexpr int kCellBytes = 11;
constexpr std::size_t kReservedOffset = CBoard::Grid::kBytes;
constexpr std::size_t kSelXOffset = 2 * CBoard::Grid::kBytes;  // 1790
constexpr std::size_t kSelYOffset = kSelXOffset + 4;
constexpr std::size_t kNumberOffset = kSelYOffset + 4;
constexpr std::size_t kLevelOffset = kNumberOffset + 4;
constexpr std::size_t kCustomOffset = kLevelOffset + 4;
constexpr std::size_t kElapsedOffset = kCustomOffset + 1;
static_assert(kElapsedOffset + 4 == CBoard::kStateBytes);
static_assert(9 * 9 * kCellBytes + 4 == CBoard::Grid::kBytes);

using digits::BitOf;

bool OnBoard(int32_t x, int32_t y) {
    return x >= 0 && x < 9 && y >= 0 && y < 9;
}

bool InSelectionRange(int32_t v) {
    return v >= -1 && v < 9;
}

}  // namespace

// --- Grid ---

void CBoard::Grid::Write(uint8_t* out) const {
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
            const Cell& c = cells[x][y];
            uint8_t* p = out + x * 99 + y * kCellBytes;
            byteio::Put8(p, c.value);
            byteio::Put32(p + 1, c.given);
            byteio::Put16(p + 5, c.autoMarks);
            byteio::Put16(p + 7, c.candCount);
            byteio::Put16(p + 9, c.marks);
        }
    }
    byteio::Put32(out + 891, emptyCount);
}

void CBoard::Grid::Read(const uint8_t* in) {
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
            Cell& c = cells[x][y];
            const uint8_t* p = in + x * 99 + y * kCellBytes;
            c.value = byteio::Get8(p);
            c.given = byteio::Get32(p + 1);
            c.autoMarks = byteio::Get16(p + 5);
            c.candCount = byteio::Get16(p + 7);
            c.marks = byteio::Get16(p + 9);
        }
    }
    emptyCount = byteio::Get32(in + 891);
}

bool CBoard::Grid::operator==(const Grid& other) const {
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
            const Cell& a = cells[x][y];
            const Cell& b = other.cells[x][y];
            if (a.value != b.value || a.given != b.given || a.autoMarks != b.autoMarks ||
                a.candCount != b.candCount || a.marks != b.marks) {
                return false;
            }
        }
    }
    return emptyCount == other.emptyCount;
}

// --- Board ---

CBoard::CBoard(CRandom& random, COptions& options) : m_random(random), m_options(options) {
    m_search.resize(81);
    Reset();
}

CBoard::~CBoard() = default;

void CBoard::Reset() {
    m_elapsedMs = 0;
    m_listLen = 0;
    m_grid = Grid{};
    m_reserved = Grid{};
    m_history.clear();
    m_actions.clear();
    m_number = 1;
    m_selX = -1;
    m_selY = -1;
    m_hintX = -1;
    m_hintY = -1;
    m_hintOn = false;
    m_actions.push_back(SActionInfo{-1, -1, 1});
    m_options.SetReservedFlag(0);
}

bool CBoard::SelectCell(int32_t x, int32_t y, bool force) {
    if (!InSelectionRange(x) || !InSelectionRange(y)) {
        return false;
    }
    if (!force && x != -1 && y != -1 && IsGiven(m_grid.cells[x][y])) {
        return false;
    }
    m_selX = x;
    m_selY = y;
    return true;
}

void CBoard::SetHint(int32_t x, int32_t y) {
    m_hintX = x;
    m_hintY = y;
    m_hintOn = true;
}

void CBoard::GetHint(int32_t& x, int32_t& y, bool& on) const {
    x = m_hintX;
    y = m_hintY;
    on = m_hintOn;
}

uint16_t CBoard::LegalMask(int32_t x, int32_t y) const {
    // The cell itself counts as empty: a filled cell's own digit stays in its mask exactly
    // when no other cell of its row, column or box holds it.
    uint16_t used = 0;
    for (int i = 0; i < kSize; ++i) {
        if (i != x) {
            used |= BitOf(m_grid.cells[i][y].value);
        }
        if (i != y) {
            used |= BitOf(m_grid.cells[x][i].value);
        }
    }
    const int x0 = x - x % 3;
    const int y0 = y - y % 3;
    for (int j = y0; j < y0 + 3; ++j) {
        for (int i = x0; i < x0 + 3; ++i) {
            if (i != x || j != y) {
                used |= BitOf(m_grid.cells[i][j].value);
            }
        }
    }
    return static_cast<uint16_t>(kAllDigits & ~used);
}

void CBoard::UpdateAutoMarks() {
    // For an empty cell LegalMask is the complement of the digits of its row, column and box.
    uint16_t rows[kSize] = {};
    uint16_t cols[kSize] = {};
    uint16_t boxes[kSize] = {};
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
            const uint16_t bit = BitOf(m_grid.cells[x][y].value);
            rows[y] |= bit;
            cols[x] |= bit;
            boxes[(y / 3) * 3 + x / 3] |= bit;
        }
    }
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
            Cell& c = m_grid.cells[x][y];
            if (c.value == 0) {
                const uint16_t used = rows[y] | cols[x] | boxes[(y / 3) * 3 + x / 3];
                c.autoMarks = static_cast<int16_t>(kAllDigits & ~used);
            }
        }
    }
}

void CBoard::Record() {
    m_history.push_back(m_grid);
    m_actions.push_back(SActionInfo{m_selX, m_selY, m_number});
}

bool CBoard::PlaceNumber(bool pencil) {
    if (!OnBoard(m_selX, m_selY)) {
        return false;
    }
    Cell& cell = m_grid.cells[m_selX][m_selY];
    if (m_options.GetCustomEntry()) {
        // Typing in givens: any digit goes in, legal or not, over whatever the cell held.
        if (BitOf(m_number) != 0) {
            Record();
            cell.value = static_cast<uint8_t>(m_number);
            cell.given = 1;
        }
        return false;
    }
    if (IsGiven(cell) || m_number <= 0) {
        return false;
    }
    if (pencil) {
        Record();
        cell.marks = static_cast<int16_t>(cell.marks ^ BitOf(m_number));
    } else {
        if (BitOf(m_number) == 0) {
            return false;
        }
        Record();
        cell.value = static_cast<uint8_t>(m_number);
    }
    UpdateAutoMarks();
    return true;
}

void CBoard::EraseCell(int32_t x, int32_t y, bool pencil) {
    if (!OnBoard(x, y)) {
        return;
    }
    Cell& cell = m_grid.cells[x][y];
    const bool custom = m_options.GetCustomEntry();
    if (IsGiven(cell) && !custom) {
        return;
    }
    Record();
    if (pencil) {
        cell.marks = 0;
    } else {
        cell.value = 0;
    }
    if (custom) {
        cell.given = 0;
    }
    UpdateAutoMarks();
}

void CBoard::EraseIllegal() {
    // The board changes as the scan goes: of two clashing entries only the first met goes.
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
            Cell& c = m_grid.cells[x][y];
            if (c.value != 0 && !IsGiven(c) && (LegalMask(x, y) & BitOf(c.value)) == 0) {
                c.value = 0;
            }
        }
    }
    UpdateAutoMarks();
}

void CBoard::Restart() {
    for (auto& column : m_grid.cells) {
        for (Cell& c : column) {
            if (!IsGiven(c)) {
                c.value = 0;
                c.autoMarks = 0;
                c.marks = 0;
            }
        }
    }
    UpdateAutoMarks();
}

bool CBoard::IsConsistent() const {
    // A filled cell's digit is outside its LegalMask exactly when another cell of its row,
    // column or box holds the same digit (or the value is no digit at all).
    uint16_t rows[kSize] = {};
    uint16_t cols[kSize] = {};
    uint16_t boxes[kSize] = {};
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
            const uint8_t v = m_grid.cells[x][y].value;
            if (v == 0) {
                continue;
            }
            const uint16_t bit = BitOf(v);
            uint16_t& box = boxes[(y / 3) * 3 + x / 3];
            if (bit == 0 || ((rows[y] | cols[x] | box) & bit) != 0) {
                return false;
            }
            rows[y] |= bit;
            cols[x] |= bit;
            box |= bit;
        }
    }
    return true;
}

bool CBoard::IsFull() const {
    for (const auto& column : m_grid.cells) {
        for (const Cell& c : column) {
            if (c.value == 0) {
                return false;
            }
        }
    }
    return true;
}

// --- State record ---

void CBoard::SaveState(StateRecord& out) const {
    m_grid.Write(out.data());
    m_reserved.Write(out.data() + kReservedOffset);
    byteio::Put32(&out[kSelXOffset], m_selX);
    byteio::Put32(&out[kSelYOffset], m_selY);
    byteio::Put32(&out[kNumberOffset], m_number);
    byteio::Put32(&out[kLevelOffset], m_options.GetLevel());
    byteio::Put8(&out[kCustomOffset], m_options.GetCustomEntry() ? 1 : 0);
    byteio::Put32(&out[kElapsedOffset], m_elapsedMs);
}

bool CBoard::IsValidState(std::span<const uint8_t> in) {
    if (in.size() != kStateBytes) {
        return false;
    }
    for (int x = 0; x < kSize; ++x) {
        for (int y = 0; y < kSize; ++y) {
            if (in[static_cast<std::size_t>(x * 99 + y * kCellBytes)] > 9) {
                return false;
            }
        }
    }
    const int32_t number = byteio::Get32(&in[kNumberOffset]);
    const uint8_t custom = in[kCustomOffset];
    return InSelectionRange(byteio::Get32(&in[kSelXOffset])) &&
           InSelectionRange(byteio::Get32(&in[kSelYOffset])) && number >= 1 && number <= 9 &&
           custom <= 1 && byteio::Get32(&in[kElapsedOffset]) >= 0;
}

bool CBoard::LoadState(std::span<const uint8_t> in) {
    if (!IsValidState(in)) {
        return false;
    }
    m_grid.Read(in.data());
    m_reserved.Read(in.data() + kReservedOffset);
    m_selX = byteio::Get32(&in[kSelXOffset]);
    m_selY = byteio::Get32(&in[kSelYOffset]);
    m_number = byteio::Get32(&in[kNumberOffset]);
    m_options.SetLevel(byteio::Get32(&in[kLevelOffset]));
    m_options.SetCustomEntry(in[kCustomOffset] != 0);
    m_elapsedMs = byteio::Get32(&in[kElapsedOffset]);
    m_history.clear();
    return true;
}
