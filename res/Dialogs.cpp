// Dialog templates 140, 500..506 and 600..606, and their lookups.
#include "res/Dialogs.h"

#include <array>

#include "res/Strings.h"

namespace res {
namespace {

constexpr SDialogControl Control(ControlKind kind, int id, std::string_view text, int x, int y,
                                 int width, int height, uint32_t flags = 0) {
    return {kind, id, text, x, y, width, height, flags, 0};
}

constexpr std::size_t Index(int i) {
    return static_cast<std::size_t>(i);
}

// ---- The Language dialog (140): one automatic radio button per language, each named in its
// own language.

constexpr std::array<int, kLanguageCount> kRadioWidths = {38, 72, 69, 74, 73, 73, 73};

constexpr std::array<SDialogControl, kLanguageCount> kLanguageControls = [] {
    std::array<SDialogControl, kLanguageCount> controls{};
    for (int i = 0; i < kLanguageCount; ++i) {
        controls[Index(i)] =
            Control(ControlKind::kRadioButton, kLanguageRadio + i, kLanguages[Index(i)].name, 19,
                    7 + 14 * i, kRadioWidths[Index(i)], 10, i == 0 ? kGroupStart : 0U);
    }
    return controls;
}();

constexpr SDialogTemplate kLanguageTemplate = {
    kLanguageDialog, "Select Language", "MS Shell Dlg", 8, 179, 191, kLanguageControls};

// ---- The statistics dialogs (500 + language).

struct SStatsTexts {
    std::string_view caption;
    std::string_view level;
    std::string_view solved;
    std::string_view total;
    std::string_view best;
    std::string_view average;
    std::string_view entries;  // the level list's entries, separated by ';'
    std::string_view reset;
};

constexpr std::array<SStatsTexts, kLanguageCount> kStatsTexts = {{
    {"Statistics", "Level:", "Boards Solved:", "Total Time:", "Best Time:", "Average Time:",
     "All;Beginner;Easy;Medium;Hard;Expert;Custom", "Reset"},  // English
    {"Statistics", "Niveau:", "Tables Résolues:", "Temps Total:", "Meilleur Temps:", "Temps Moyen:",
     "Tout;Débutant;Facile;Intermédiaire;Difficile;Expert;Personnalisé", "Remise"},  // French
    {"Statistics", "Livello:", "Schemi Risolti:", "Tempo Totale:", "Migliore Tempo:",
     "Tempo Medio:", "Tutto;Principiante;Facile;Intermedio;Difficile;Esperto;Personalizzato",
     "Reset"},  // Italian
    {"Statistics", "Level:", "Spielbrett gelöst:", "Gesamtzeit:", "Beste Zeit:",
     "Durchschnittliche Zeit:", "Alle;Anfänger;Einfach;Mittel;Schwer;Experte;Benutzerdefiniert",
     "Reset"},  // German
    {"Statistics", "Nivel:", "Tablas Resueltas:", "Tiempo Total:", "Mejor Tiempo:",
     "Tiempo Promedio:", "Todos;Principiante;Fácil;Medio;Difícil;Experto;Personalizado",
     "Reajuste"},  // Spanish
    {"统计", "级别:", "平板解决:", "总共耗时:", "最快耗时:", "平均耗时:",
     "所有;入门;简单;中等;困难;专家;定制", "重置"},  // Chinese
    {"Статистика", "Класс:", "Решено:", "Общее время:", "Лучшее время:", "Среднее время:",
     "Все;Новичок;Любитель;Мастер;Профессионал;Эксперт;Своя игра", "Стереть"},  // Russian
}};

constexpr int kStatsControlCount = 13;

constexpr std::array<SDialogControl, kStatsControlCount> StatsControls(int language) {
    const SStatsTexts& t = kStatsTexts[Index(language)];
    const int averageWidth = language == 6 ? 60 : 54;  // the Russian label is wider
    return {{
        Control(ControlKind::kText, kStaticControl, t.level, 17, 14, 30, 8),
        Control(ControlKind::kDropDownList, kStatsLevelList, {}, 49, 11, 95, 82, kSorted),
        Control(ControlKind::kGroupBox, kStaticControl, {}, 17, 26, 128, 66),
        Control(ControlKind::kText, kStaticControl, t.solved, 32, 38, 54, 8),
        Control(ControlKind::kText, kStatsSolved, "0", 94, 38, 40, 8),
        Control(ControlKind::kText, kStaticControl, t.total, 32, 51, 54, 8),
        Control(ControlKind::kText, kStatsTotalTime, "0", 94, 51, 40, 8),
        Control(ControlKind::kText, kStaticControl, t.best, 32, 64, 54, 8),
        Control(ControlKind::kText, kStatsBestTime, "0", 94, 64, 40, 8),
        Control(ControlKind::kText, kStaticControl, t.average, 32, 77, averageWidth, 8),
        Control(ControlKind::kText, kStatsAverageTime, "0", 94, 77, 40, 8),
        Control(ControlKind::kText, kStatsEntries, t.entries, 0, -100, 0, 0, kHidden),
        Control(ControlKind::kPushButton, kStatsReset, t.reset, 94, 96, 50, 14),
    }};
}

constexpr std::array<std::array<SDialogControl, kStatsControlCount>, kLanguageCount>
    kStatsControls = {StatsControls(0), StatsControls(1), StatsControls(2), StatsControls(3),
                      StatsControls(4), StatsControls(5), StatsControls(6)};

// English, Chinese and Russian are 160 units high, the others 191.
constexpr SDialogTemplate StatsTemplate(int language) {
    const bool tall = language >= 1 && language <= 4;
    return {kStatsDialog + language, kStatsTexts[Index(language)].caption, "Tahoma", 8, 179,
            tall ? 191 : 160,        kStatsControls[Index(language)]};
}

// ---- The about boxes (600 + language).

struct SAboutTexts {
    std::string_view caption;
    std::string_view version;               // control 207
    std::array<std::string_view, 5> lines;  // controls 202..206
};

constexpr std::array<SAboutTexts, kLanguageCount> kAboutTexts = {{
    {"About Sudoku",
     "Version 1.1",
     {"Sudoku for the Linux desktop", "© 2026 the Sudoku authors", "Every puzzle is made",
      "on your own computer.", "Enjoy the game!"}},
    {"A propos de Sudoku",
     "Version 1.1",
     {"Sudoku pour le bureau Linux", "© 2026 les auteurs de Sudoku", "Chaque puzzle est créé",
      "sur votre ordinateur.", "Bon jeu !"}},
    {"Su Sudoku",
     "Version 1.1",
     {"Sudoku per il desktop Linux", "© 2026 gli autori di Sudoku", "Ogni puzzle viene creato",
      "sul tuo computer.", "Buon divertimento!"}},
    {"Über Sudoku",
     "Version 1.1",
     {"Sudoku für den Linux-Desktop", "© 2026 die Sudoku-Autoren", "Jedes Rätsel entsteht",
      "auf Ihrem eigenen Computer.", "Viel Spaß beim Spielen!"}},
    {"Acerca de Sudoku",
     "Version 1.1",
     {"Sudoku para el escritorio Linux", "© 2026 los autores de Sudoku", "Cada puzzle se genera",
      "en su propio ordenador.", "¡Que lo disfrute!"}},
    {"关于数独",
     "Version 1.1",
     {"Linux 桌面版数独", "© 2026 数独作者", "每道迷题都在", "您自己的电脑上生成。",
      "祝您玩得开心！"}},
    // The Russian box is shorter: its first line is a credit line with the version, and
    // 202 and 203 stay empty.
    {"Об игре",
     "Судоку для Linux, версия 1.1",
     {"", "", "Каждая головоломка создается", "на вашем компьютере.", "© 2026 авторы игры Судоку"}},
}};

constexpr int kAboutControlCount = 7;

constexpr std::array<SDialogControl, kAboutControlCount> AboutControls(int language) {
    const SAboutTexts& t = kAboutTexts[Index(language)];
    const bool russian = language == 6;
    // Tops of 207 and 202..206.
    constexpr std::array<int, 6> kTops = {35, 45, 53, 66, 74, 85};
    constexpr std::array<int, 6> kRussianTops = {35, 87, 95, 47, 55, 67};
    const std::array<int, 6>& tops = russian ? kRussianTops : kTops;

    std::array<SDialogControl, kAboutControlCount> controls{};
    controls[0] = Control(ControlKind::kPicture, kAboutPicture, {}, 2, 1, 117, 32);
    controls[0].image = kAboutPicture;
    controls[1] = Control(ControlKind::kCentredText, kAboutVersion, t.version, 2, tops[0], 153, 8);
    for (int i = 0; i < 5; ++i) {
        controls[Index(2 + i)] = Control(ControlKind::kCentredText, kAboutLine1 + i,
                                         t.lines[Index(i)], 2, tops[Index(1 + i)], 153, 8);
    }
    return controls;
}

constexpr std::array<std::array<SDialogControl, kAboutControlCount>, kLanguageCount>
    kAboutControls = {AboutControls(0), AboutControls(1), AboutControls(2), AboutControls(3),
                      AboutControls(4), AboutControls(5), AboutControls(6)};

constexpr SDialogTemplate AboutTemplate(int language) {
    return {kAboutDialog + language,   kAboutTexts[Index(language)].caption, "Tahoma", 8, 156,
            language == 6 ? 110 : 129, kAboutControls[Index(language)]};
}

// ---- Every template.

constexpr std::array<SDialogTemplate, 1 + 2 * kLanguageCount> kTemplates = {
    kLanguageTemplate, StatsTemplate(0), StatsTemplate(1), StatsTemplate(2), StatsTemplate(3),
    StatsTemplate(4),  StatsTemplate(5), StatsTemplate(6), AboutTemplate(0), AboutTemplate(1),
    AboutTemplate(2),  AboutTemplate(3), AboutTemplate(4), AboutTemplate(5), AboutTemplate(6),
};

}  // namespace

const SDialogTemplate* FindDialog(int id) {
    for (const SDialogTemplate& dialog : kTemplates) {
        if (dialog.id == id) {
            return &dialog;
        }
    }
    return nullptr;
}

const SDialogControl* FindControl(const SDialogTemplate& dialog, int controlId) {
    for (const SDialogControl& control : dialog.controls) {
        if (control.id == controlId) {
            return &control;
        }
    }
    return nullptr;
}

}  // namespace res
