// The board's rules and edits, and the byte layout of grids and state records.
#include <gtest/gtest.h>

#include "engine/Board.h"
#include "engine/ByteIO.h"
#include "engine/Options.h"
#include "tests/support/BoardBuilder.h"

using testsupport::GridFrom;
using testsupport::ValuesOf;

namespace {

class BoardTest : public ::testing::Test {
protected:
    // Places `digit` as a player entry at (x, y).
    void Enter(int x, int y, int digit, bool pencil = false) {
        ASSERT_TRUE(board.SelectCell(x, y, false));
        board.SetNumber(digit);
        board.PlaceNumber(pencil);
    }
    bool Illegal(int x, int y) const {
        const CBoard::Cell c = board.GetCell(x, y);
        return c.value != 0 && !CBoard::IsGiven(c) &&
               (board.LegalMask(x, y) & (1U << (c.value - 1))) == 0;
    }

    CRandom random{7};
    COptions options;
    CBoard board{random, options};
};

TEST_F(BoardTest, EntryClashingWithAGivenIsIllegalAndErasedButTheGivenStays) {
    board.SetGrid(GridFrom("5"));
    Enter(3, 0, 5);
    EXPECT_TRUE(Illegal(3, 0));
    EXPECT_FALSE(Illegal(0, 0));
    EXPECT_FALSE(board.IsConsistent());
    board.EraseIllegal();
    EXPECT_EQ(board.GetCell(3, 0).value, 0);
    EXPECT_EQ(board.GetCell(0, 0).value, 5);
    EXPECT_TRUE(board.IsConsistent());
}

TEST_F(BoardTest, EraseIllegalTakesOnlyTheEntryMetFirstInColumnOrder) {
    Enter(2, 4, 7);
    Enter(6, 4, 7);
    Enter(3, 1, 9);
    Enter(3, 7, 9);
    EXPECT_TRUE(Illegal(2, 4) && Illegal(6, 4) && Illegal(3, 1) && Illegal(3, 7));
    board.EraseIllegal();
    EXPECT_EQ(board.GetCell(2, 4).value, 0);  // smaller column goes
    EXPECT_EQ(board.GetCell(6, 4).value, 7);
    EXPECT_EQ(board.GetCell(3, 1).value, 0);  // in one column the upper one goes
    EXPECT_EQ(board.GetCell(3, 7).value, 9);
    EXPECT_EQ(board.HistorySize(), 4U);  // not recorded
}

TEST_F(BoardTest, PencilMarksAndValuesAreIndependent) {
    Enter(4, 4, 3);
    Enter(4, 4, 6, true);
    EXPECT_EQ(board.GetCell(4, 4).value, 3);
    EXPECT_EQ(board.GetCell(4, 4).marks, 1 << 5);
    Enter(4, 4, 6, true);  // a second time toggles it off
    EXPECT_EQ(board.GetCell(4, 4).marks, 0);
    Enter(4, 4, 1, true);
    board.EraseCell(4, 4, true);
    EXPECT_EQ(board.GetCell(4, 4).marks, 0);
    EXPECT_EQ(board.GetCell(4, 4).value, 3);
    Enter(4, 4, 2, true);
    board.EraseCell(4, 4, false);
    EXPECT_EQ(board.GetCell(4, 4).value, 0);
    EXPECT_EQ(board.GetCell(4, 4).marks, 1 << 1);
}

TEST_F(BoardTest, GivensRefuseEditsExceptDuringCustomEntry) {
    board.SetGrid(GridFrom("8"));
    EXPECT_FALSE(board.SelectCell(0, 0, false));
    ASSERT_TRUE(board.SelectCell(0, 0, true));
    board.SetNumber(2);
    EXPECT_FALSE(board.PlaceNumber(false));
    board.EraseCell(0, 0, false);
    EXPECT_EQ(board.GetCell(0, 0).value, 8);
    EXPECT_EQ(board.HistorySize(), 0U);

    options.SetCustomEntry(true);
    EXPECT_FALSE(board.PlaceNumber(true));  // custom entry: always false, pencil ignored
    EXPECT_EQ(board.GetCell(0, 0).value, 2);
    EXPECT_TRUE(CBoard::IsGiven(board.GetCell(0, 0)));
    EXPECT_EQ(board.HistorySize(), 1U);
    board.EraseCell(0, 0, false);
    EXPECT_EQ(board.GetCell(0, 0).value, 0);
    EXPECT_FALSE(CBoard::IsGiven(board.GetCell(0, 0)));
}

TEST_F(BoardTest, SelectionRules) {
    EXPECT_TRUE(board.SelectCell(-1, -1, false));
    int x = 0;
    int y = 0;
    board.GetSelection(x, y);
    EXPECT_EQ(x, -1);
    EXPECT_EQ(y, -1);
    board.SetNumber(4);
    EXPECT_FALSE(board.PlaceNumber(false));       // nothing selected
    EXPECT_TRUE(board.SelectCell(3, -1, false));  // a half selection is allowed
    EXPECT_FALSE(board.PlaceNumber(false));
    EXPECT_FALSE(board.SelectCell(9, 0, true));  // off the board: refused, unchanged
    EXPECT_FALSE(board.SelectCell(0, -2, true));
    board.GetSelection(x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, -1);
}

TEST_F(BoardTest, RestartKeepsGivensOnlyAndLeavesTheHistory) {
    board.SetGrid(GridFrom("1........2"));
    Enter(5, 5, 4);
    Enter(6, 6, 7, true);
    board.Restart();
    EXPECT_EQ(ValuesOf(board.GetGrid()), ValuesOf(GridFrom("1........2")));
    EXPECT_EQ(board.GetCell(6, 6).marks, 0);
    EXPECT_EQ(board.HistorySize(), 2U);
    board.Undo();  // the board from before the last entry made before the restart
    EXPECT_EQ(board.GetCell(5, 5).value, 4);
    EXPECT_EQ(board.GetCell(6, 6).marks, 0);
}

TEST_F(BoardTest, AutoMarksAreRecomputedForEmptyCellsOnly) {
    board.UpdateAutoMarks();
    EXPECT_EQ(board.GetCell(0, 0).autoMarks, 0x1FF);
    Enter(0, 0, 5);
    EXPECT_EQ(board.GetCell(0, 0).autoMarks, 0x1FF);  // stale on the filled cell
    EXPECT_EQ(board.GetCell(8, 0).autoMarks, 0x1FF & ~(1 << 4));
    EXPECT_EQ(board.GetCell(1, 1).autoMarks, 0x1FF & ~(1 << 4));
    EXPECT_EQ(board.GetCell(4, 4).autoMarks, 0x1FF);
}

TEST_F(BoardTest, GridIsStoredColumnAfterColumnLittleEndian) {
    CBoard::Grid g{};
    g.cells[2][3] = {7, 1, 0x0123, -2, 0x1FF};
    g.emptyCount = 0x01020304;
    uint8_t bytes[CBoard::Grid::kBytes] = {};
    g.Write(bytes);
    const std::size_t at = 2 * 99 + 3 * 11;
    const uint8_t expected[11] = {7, 1, 0, 0, 0, 0x23, 0x01, 0xFE, 0xFF, 0xFF, 0x01};
    for (std::size_t i = 0; i < 11; ++i) {
        EXPECT_EQ(bytes[at + i], expected[i]) << "byte " << at + i;
    }
    EXPECT_EQ(bytes[891], 4);
    EXPECT_EQ(bytes[894], 1);
    CBoard::Grid back;
    back.Read(bytes);
    EXPECT_TRUE(back == g);
}

TEST_F(BoardTest, StateRecordLayoutAndRoundTrip) {
    board.SetGrid(GridFrom("..3......"));
    Enter(4, 7, 9, true);
    board.SetElapsed(65000);
    options.SetLevel(44);
    CBoard::StateRecord rec{};
    board.SaveState(rec);
    EXPECT_EQ(byteio::Get32(&rec[1790]), 4);
    EXPECT_EQ(byteio::Get32(&rec[1794]), 7);
    EXPECT_EQ(byteio::Get32(&rec[1798]), 9);
    EXPECT_EQ(byteio::Get32(&rec[1802]), 44);
    EXPECT_EQ(rec[1806], 0);
    EXPECT_EQ(byteio::Get32(&rec[1807]), 65000);
    EXPECT_EQ(rec[2 * 99], 3);                // the given 3 at (2, 0)
    EXPECT_EQ(rec[4 * 99 + 7 * 11 + 10], 1);  // mark 9 at (4, 7): high byte of 0x100
    for (std::size_t i = 895; i < 1790; ++i) {
        ASSERT_EQ(rec[i], 0);  // the second board of a new game
    }

    CRandom otherRandom{1};
    COptions otherOptions;
    CBoard other{otherRandom, otherOptions};
    other.PushAction(1, 1, 1);
    ASSERT_TRUE(other.LoadState(rec));
    EXPECT_TRUE(other.GetGrid() == board.GetGrid());
    int x = 0;
    int y = 0;
    other.GetSelection(x, y);
    EXPECT_EQ(x, 4);
    EXPECT_EQ(y, 7);
    EXPECT_EQ(other.GetNumber(), 9);
    EXPECT_EQ(other.GetElapsed(), 65000);
    EXPECT_EQ(otherOptions.GetLevel(), 44);
    EXPECT_FALSE(other.CanUndo());
    EXPECT_EQ(other.ActionCount(), 2U);  // the actions are left as they were
    CBoard::StateRecord again{};
    other.SaveState(again);
    EXPECT_EQ(again, rec);
}

TEST_F(BoardTest, NoSelectionIsStoredAsMinusOnes) {
    CBoard::StateRecord rec{};
    board.SaveState(rec);
    for (std::size_t i = 1790; i < 1798; ++i) {
        EXPECT_EQ(rec[i], 0xFF);
    }
}

TEST_F(BoardTest, LoadStateRefusesValuesOutOfRangeAndChangesNothing) {
    board.SetGrid(GridFrom("123"));
    CBoard::StateRecord good{};
    board.SaveState(good);
    struct Damage {
        const char* what;
        std::size_t offset;
        int32_t value;
        bool wide;
    };
    const Damage damages[] = {
        {"digit above 9", 5 * 99 + 5 * 11, 10, false},
        {"column 9", 1790, 9, true},
        {"row -2", 1794, -2, true},
        {"number 0", 1798, 0, true},
        {"number 10", 1798, 10, true},
        {"custom flag 2", 1806, 2, false},
        {"negative time", 1807, -1000, true},
    };
    CBoard::StateRecord other{};
    CBoard target{random, options};
    target.SetGrid(GridFrom("9"));
    for (const Damage& d : damages) {
        CBoard::StateRecord rec = good;
        if (d.wide) {
            byteio::Put32(&rec[d.offset], d.value);
        } else {
            rec[d.offset] = static_cast<uint8_t>(d.value);
        }
        EXPECT_FALSE(target.LoadState(rec)) << d.what;
        EXPECT_EQ(target.GetCell(0, 0).value, 9) << d.what;
    }
    EXPECT_FALSE(target.LoadState(std::span<const uint8_t>(good.data(), 1810)));

    // What the program itself leaves stale or never reads back is no reason to refuse.
    CBoard::StateRecord odd = good;
    byteio::Put32(&odd[1802], 99);    // a level outside the six codes
    byteio::Put32(&odd[891], 12345);  // a stale empty count
    odd[3 * 99 + 7] = 0x55;           // a stale solver count
    odd[900] = 200;                   // the second board is never read
    byteio::Put32(&odd[1790], -1);    // a half selection
    byteio::Put32(&odd[1794], 4);
    EXPECT_TRUE(target.LoadState(odd));
    EXPECT_EQ(options.GetLevel(), 99);
    target.SaveState(other);
    EXPECT_EQ(other, odd);
}

}  // namespace
