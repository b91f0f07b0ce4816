// The about box: its template by language, and its lines centred.
#include "ui/AboutDlg.h"

#include <array>

#include "res/Dialogs.h"
#include "res/Strings.h"

CAboutDlg::CAboutDlg(int language)
    : m_templateId(res::kAboutDialog + res::LanguageIndex(language)) {}

void CAboutDlg::PlaceControls(int clientWidth, std::span<SPlace> places) {
    constexpr std::array<int, 7> kOrder = {
        res::kAboutPicture,   res::kAboutLine1, res::kAboutLine1 + 1, res::kAboutLine1 + 2,
        res::kAboutLine1 + 3, res::kAboutLine5, res::kAboutVersion};
    for (const int id : kOrder) {
        for (SPlace& place : places) {
            if (place.id == id) {
                place.left = CentredLeft(clientWidth, place.width);
            }
        }
    }
}
