// CStatsDlg: the statistics dialog (template 500 + language): the figures of one level, or of
// all levels together, and their reset.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/Dialog.h"

class COptions;
class DataManager;

// The level list holds the entries of the template's hidden control 1016 ("All;Beginner;...")
// in their order; entry i is selection index i of the statistics (0 all levels, 1..6 the level
// slots). The four figures are the shown texts of the value fields 1010..1013: boards solved
// ("%d"), total, best and average time ("H:MM:SS"); a negative figure from a damaged file
// shows as zero.
class CStatsDlg : public IDialog {
public:
    // The template is taken from the language at construction (an index outside 0..6 gets the
    // English one). `data` shows the reset question; both must outlive the dialog.
    CStatsDlg(COptions& options, DataManager& data);

    int TemplateId() const override { return m_templateId; }
    // Fills the level list, selects entry 0 and shows its figures.
    void OnInitDialog() override;
    // Reset (1002): asks MsgConfirmResetStats; only Yes resets the selected entry's figures,
    // which are then shown again.
    void OnClick(int controlId) override;
    // A new entry of the level list (1005): its figures are shown. Other lists, and entries the
    // list does not have, change nothing.
    void OnSelect(int controlId, int index) override;
    void OnOk() override {}
    void OnCancel() override {}
    // The figures of the value fields 1010..1013.
    std::optional<std::string> Text(int controlId) const override;
    // The level list 1005.
    std::span<const std::string> Entries(int controlId) const override;
    int Selection(int controlId) const override;

    const std::vector<std::string>& Entries() const { return m_entries; }
    // The selected entry, -1 for none.
    int Selected() const { return m_selected; }
    // The texts of the fields 1010 (solved), 1011 (total), 1012 (best), 1013 (average).
    const std::array<std::string, 4>& Figures() const { return m_figures; }

private:
    void ShowFigures();

    COptions& m_options;
    DataManager& m_data;
    int m_templateId;
    std::vector<std::string> m_entries;
    int m_selected = -1;
    std::array<std::string, 4> m_figures = {"0", "0", "0", "0"};
};
