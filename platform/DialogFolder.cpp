// CDialogFolder: the folder the Load and Save file dialogs start in, remembered for the run.
#include "platform/DialogFolder.h"

namespace {

bool IsFolder(const std::filesystem::path& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

}  // namespace

std::filesystem::path CDialogFolder::Start() const {
    if (IsFolder(m_last)) {
        return m_last;
    }
    for (const std::filesystem::path& choice : m_firstChoices) {
        if (IsFolder(choice)) {
            return choice;
        }
    }
    return {};
}

void CDialogFolder::Remember(const std::filesystem::path& file) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(file, ec);
    if (!ec && absolute.has_parent_path()) {
        m_last = absolute.parent_path();
    }
}
