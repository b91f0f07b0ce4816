// The statistics dialog's state and handlers.
#include "ui/StatsDlg.h"

#include <string_view>

#include "engine/Options.h"
#include "game/Statistics.h"
#include "game/Texts.h"
#include "res/Dialogs.h"

CStatsDlg::CStatsDlg(COptions& options, DataManager& data)
    : m_options(options), m_data(data), m_templateId(res::kStatsDialog + TextLanguage(options)) {}

void CStatsDlg::OnInitDialog() {
    m_entries.clear();
    std::string_view list;
    if (const res::SDialogTemplate* dialog = res::FindDialog(m_templateId)) {
        if (const res::SDialogControl* hidden = res::FindControl(*dialog, res::kStatsEntries)) {
            list = hidden->text;
        }
    }
    // Appended by position, never sorted: an entry's position is its selection index.
    while (!list.empty()) {
        const std::size_t cut = list.find(';');
        m_entries.emplace_back(list.substr(0, cut));
        list = cut == std::string_view::npos ? std::string_view{} : list.substr(cut + 1);
    }
    m_selected = m_entries.empty() ? -1 : 0;
    ShowFigures();
}

void CStatsDlg::OnClick(int controlId) {
    if (controlId != res::kStatsReset || m_selected < 0) {
        return;
    }
    if (ShowGameMessage(m_data, m_options, MessageId::kConfirmResetStats, MsgStyle::kYesNo) !=
        kIdYes) {
        return;
    }
    ResetStats(m_options, m_selected);
    ShowFigures();
}

void CStatsDlg::OnSelect(int controlId, int index) {
    if (controlId != res::kStatsLevelList || index < 0 ||
        index >= static_cast<int>(m_entries.size())) {
        return;
    }
    m_selected = index;
    ShowFigures();
}

void CStatsDlg::ShowFigures() {
    if (m_selected < 0) {
        return;
    }
    const SLevelStats s = GetShownLevelStats(m_options, m_selected);
    m_figures = {std::to_string(s.solved), StatTimeText(s.totalTime), StatTimeText(s.bestTime),
                 StatTimeText(s.averageTime)};
}

std::optional<std::string> CStatsDlg::Text(int controlId) const {
    if (controlId < res::kStatsSolved || controlId > res::kStatsAverageTime) {
        return std::nullopt;
    }
    return m_figures[static_cast<std::size_t>(controlId - res::kStatsSolved)];
}

std::span<const std::string> CStatsDlg::Entries(int controlId) const {
    if (controlId != res::kStatsLevelList) {
        return {};
    }
    return m_entries;
}

int CStatsDlg::Selection(int controlId) const {
    return controlId == res::kStatsLevelList ? m_selected : -1;
}
