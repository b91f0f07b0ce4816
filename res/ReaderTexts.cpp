// The screen reader's words in the game's seven languages.
#include "res/ReaderTexts.h"

#include <array>

#include "res/Strings.h"

namespace res {
namespace {

using Row = std::array<std::string_view, kLanguageCount>;

// English, French, Italian, German, Spanish, Chinese, Russian.
constexpr std::array<Row, static_cast<std::size_t>(ReaderText::kCount)> kWords = {{
    {"Row %1, column %2", "Ligne %1, colonne %2", "Riga %1, colonna %2", "Zeile %1, Spalte %2",
     "Fila %1, columna %2", "第%1行，第%2列", "Строка %1, столбец %2"},
    {"given %1", "fixe %1", "fisso %1", "fest %1", "fijo %1", "固定 %1", "задано %1"},
    {"empty", "vide", "vuota", "leer", "vacía", "空", "пусто"},
    {"illegal", "invalide", "non valido", "ungültig", "inválido", "无效", "ошибка"},
    {"marks %1", "marques %1", "segni %1", "Notizen %1", "marcas %1", "标记 %1", "пометки %1"},
    {"illegal %1", "invalides %1", "non validi %1", "ungültig %1", "inválidas %1", "无效 %1",
     "ошибочны %1"},
    {"selected", "sélectionnée", "selezionata", "ausgewählt", "seleccionada", "已选", "выбрана"},
    {"hint", "conseil", "suggerimento", "Tipp", "sugerencia", "提示", "подсказка"},
    {", ", ", ", ", ", ", ", ", ", "，", ", "},
    {"Board", "Grille", "Griglia", "Spielfeld", "Cuadrícula", "棋盘", "Поле"},
    {"Number %1", "Chiffre %1", "Numero %1", "Ziffer %1", "Número %1", "数字 %1", "Цифра %1"},
    {"not allowed", "non permis", "non consentito", "nicht erlaubt", "no permitido", "不允许",
     "недоступна"},
    {"current", "actuel", "attuale", "aktuell", "actual", "当前", "текущая"},
    {"possible", "possible", "possibile", "möglich", "posible", "可填", "возможна"},
    {"Time %1", "Temps %1", "Tempo %1", "Zeit %1", "Tiempo %1", "时间 %1", "Время %1"},
    {"Sudoku is starting. Activate to begin.", "Sudoku démarre. Activez pour commencer.",
     "Sudoku si avvia. Attivare per iniziare.", "Sudoku startet. Aktivieren zum Beginnen.",
     "Sudoku se inicia. Active para empezar.", "数独正在启动。激活即可开始。",
     "Судоку запускается. Нажмите, чтобы начать."},
}};

}  // namespace

std::string_view ReaderWord(int language, ReaderText text) {
    const int index = static_cast<int>(text);
    if (language < 0 || language >= kLanguageCount || index < 0 ||
        index >= static_cast<int>(ReaderText::kCount)) {
        return {};
    }
    return kWords[static_cast<std::size_t>(index)][static_cast<std::size_t>(language)];
}

}  // namespace res
