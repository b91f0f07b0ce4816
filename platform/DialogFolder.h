// CDialogFolder: the folder the Load and Save file dialogs start in, remembered for the run.
#pragma once

#include <filesystem>
#include <vector>

// The first dialog of a run starts in the first of `firstChoices` that is a folder (the
// player's documents folder, then the home folder); every later one in the folder of the last
// file chosen in a Load or Save dialog, as long as that is still a folder.
class CDialogFolder {
public:
    explicit CDialogFolder(std::vector<std::filesystem::path> firstChoices)
        : m_firstChoices(std::move(firstChoices)) {}

    // Where the next dialog starts; empty when no choice is a folder (the dialog's own choice).
    std::filesystem::path Start() const;
    // Remembers the folder of a chosen file; a relative name is taken from the working folder.
    void Remember(const std::filesystem::path& file);

private:
    std::vector<std::filesystem::path> m_firstChoices;
    std::filesystem::path m_last;
};
