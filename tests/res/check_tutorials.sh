#!/usr/bin/env bash
# Checks the tutorial pages installed beside the program: one self-contained UTF-8 page per
# language that names the menu items with the captions of that language's menu.
# Usage: check_tutorials.sh <folder with the Tutorial*.html pages>
set -u

dir=${1:-}
if [[ -z "$dir" || ! -d "$dir" ]]; then
    echo "usage: $0 <tutorial folder>" >&2
    exit 2
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The game opens "tutorial/Tutorial" + language letter + ".html" (no letter for English).
files=(Tutorial.html TutorialF.html TutorialI.html TutorialG.html TutorialS.html TutorialC.html
       TutorialR.html)
declare -A lang=(
    [Tutorial.html]=en [TutorialF.html]=fr [TutorialI.html]=it [TutorialG.html]=de
    [TutorialS.html]=es [TutorialC.html]=zh-Hans [TutorialR.html]=ru
)

# Menu captions each page must use, one per line: the levels, the Game and Options items and
# their submenus. The Russian menu has no Load, Save, Language... and Tutorial items.
declare -A captions
captions[Tutorial.html]='Game
New Game
Beginner
Easy
Medium
Hard
Expert
Custom
Load
Save
Edit
Undo
Erase Illegal
Restart
Solve
Check My Input
Hint
Solve Cell
Solve Puzzle
Save and Exit
Options
Preferences
Cell Select
Number Select
Auto Pencilmarks
Flag Illegal
Limit Numbers
Zone Pencilmarks
Crosshatching
Skin
Paper
Sand
Steel
Statistics
Language...
Tutorial
About'
captions[TutorialF.html]='Jeu
Nouveau jeu
Débutant
Facile
Intermédiaire
Difficile
Expert
Personnalisé
Charger
Sauvegarder
Editer
Annuler
Effacer Illégal
Redémarrer
Résoudre
Vérifier Mon Entrée
Conseil
Résoudre Cellule
Résoudre Puzzle
Sauvegarder et Sortir
Options
Préférences
Sélectionner Cellule
Sélectionner Chiffre
Pencilmarks Automatique
Marquer comme Illégal
Limiter Chiffres
Zone Pencilmarks
Crosshatching
Apparence
Papier
Sable
Acier
Statistiques
Langage...
Tutoriel
A propos de'
captions[TutorialI.html]='Partita
Nuova Partita
Principiante
Facile
Intermedio
Difficile
Esperto
Personalizzato
Caricare
Salvare
Editare
Annullare
Cancellare Illegale
Ricominciare
Risolvere
Controllare il mio conteggio
Suggerimento
Risolvere Cella
Risolvere Puzzle
Salvare e Uscire
Opzioni
Preferenze
Selezionare Cella
Selezionare Numero
Marchi di matita automatici
Mostrare Illegale
Numeri Limitati
Zona Marchi di Matita
Crosshatching
Sfondo
Carta
Sabbia
Acciaio
Statistiche
Linguaggio...
Istruzioni
Su di noi'
captions[TutorialG.html]='Spiel
Neues Spiel
Anfänger
Einfach
Mittel
Schwer
Experte
Benutzerdefiniert
Laden
Speichern
Editieren
Rückgängig
Ungültige löschen
Wieder starten
Lösen
Überprüfen mein Input
Tipp
Feld lösen
Rätsel lösen
Speichern und Verlassen
Optionen
Einstellungen
Feld Auswählen
Zahl Auswählen
Auto Pencilmarks
Falsche Nummern anzeigen
Zahlen begrenzen
Zone Pencilmarks
Kreuzschraffur
Oberfläche
Papier
Sand
Stahl
Statistiken
Sprache...
Lernprogramm
Über'
captions[TutorialS.html]='Juego
Nuevo Juego
Principiante
Fácil
Medio
Difícil
Experto
Personalizado
Cargar
Guardar
Editar
Deshacer
Borrar Ilegal
Reiniciar
Resolver
Chequear Mi Puntaje
Sugerir
Resolver Celda
Resolver Puzzle
Guardar y Salir
Opciones
Preferencias
Seleccionar Celda
Seleccionar Número
Pencilmarks Automatico
Marcar como Ilegal
Limitar Números
Zona Pencilmarks
Crosshatching
Apariencia
Papel
Arena
Acero
Estadística
Idioma...
Tutorial
Acerca de'
captions[TutorialC.html]='游戏
新游戏
入门
简单
中等
困难
专家
定制
保存
读取
编辑
取消
移除不合法
重新开始
解决
检查我的输入
提示
解决单元
解决迷题
储存并退出
选项
参数选项
单元选择
号码选择
自动提示标记
标记不合法
限制号码
提示标记区域
交叉阴影
皮肤
纸张
沙子
钢板
统计
语言
指南
关于'
captions[TutorialR.html]='Игра
Новая игра
Новичок
Любитель
Мастер
Профессионал
Эксперт
Своя игра
Редактирование
Отменить ход
Стереть неправильные значения
Начать заново
Решение
Проверить правильность ввода
Подсказка
Решить ячейку
Решить всю доску
Выход
Настройки
Настройки игры
Сначала ячейка
Сначала цифра
Автоматические пометки
Выделить неправильные ходы
Ограничить ввод
Пометки в одно касание
Кроссхэтчинг
Фоновый рисунок
Облака
Огонь
Дым
Статистика
Об игре'

for f in "${files[@]}"; do
    path="$dir/$f"
    if [[ ! -s "$path" ]]; then
        fail "$f is missing or empty"
        continue
    fi
    if ! iconv -f utf-8 -t utf-8 "$path" >/dev/null 2>&1; then
        fail "$f is not valid UTF-8"
        continue
    fi
    page=$(<"$path")

    [[ "$(head -c 15 "$path" | tr '[:upper:]' '[:lower:]')" == "<!doctype html>" ]] \
        || fail "$f does not start with <!DOCTYPE html>"
    grep -qiE '<meta[[:space:]]+charset="?utf-8"?[[:space:]]*/?>' <<<"$page" \
        || fail "$f does not declare charset utf-8"
    declared=$(grep -oiE '<html[^>]*[[:space:]]lang="[^"]*"' <<<"$page" | head -n 1 \
        | sed -E 's/.*lang="([^"]*)"/\1/')
    [[ "$declared" == "${lang[$f]}" ]] \
        || fail "$f declares lang \"$declared\", expected \"${lang[$f]}\""
    grep -qiE '<title>[^<]+</title>' <<<"$page" || fail "$f has no title"

    # Self-contained but for the folder's stylesheet: no scripts, no fetched resources, no
    # addresses outside the folder.
    grep -qF '<link rel="stylesheet" href="tutorial.css">' <<<"$page" \
        || fail "$f does not use the folder's stylesheet tutorial.css"
    hits=$(grep -v -F '<link rel="stylesheet" href="tutorial.css">' "$path" \
        | grep -noiE 'https?:|ftp:|file:|<script|<link|<img|<iframe|<object|<embed|[[:space:]]src=|url\(|@import' \
        | head -n 3)
    [[ -z "$hits" ]] || fail "$f refers to something outside the page: $hits"

    # Every link is an anchor of this page or a sibling page of this folder.
    mapfile -t ids < <(grep -oE '[[:space:]]id="[^"]*"' <<<"$page" | sed -E 's/.*id="([^"]*)"/\1/')
    mapfile -t hrefs < <(grep -oE 'href="[^"]*"' <<<"$page" | sed -E 's/href="([^"]*)"/\1/')
    for href in "${hrefs[@]}"; do
        target=${href%%#*}
        fragment=
        [[ "$href" == *#* ]] && fragment=${href#*#}
        if [[ -n "$target" ]]; then
            if [[ ! "$target" =~ ^[A-Za-z0-9._-]+$ ]]; then
                fail "$f links to \"$href\", which is not a file of this folder"
                continue
            fi
            [[ -f "$dir/$target" ]] || fail "$f links to missing \"$target\""
        elif [[ -n "$fragment" ]]; then
            found=0
            for id in "${ids[@]}"; do [[ "$id" == "$fragment" ]] && found=1 && break; done
            ((found)) || fail "$f links to \"#$fragment\", which is not an id of the page"
        else
            fail "$f has an empty link"
        fi
    done

    # The language bar reaches every other page.
    for other in "${files[@]}"; do
        [[ "$other" == "$f" ]] && continue
        grep -qF "href=\"$other\"" <<<"$page" || fail "$f has no link to $other"
    done

    # Menu items are named exactly as the language's menu names them.
    while IFS= read -r caption; do
        grep -qF -- "$caption" <<<"$page" || fail "$f never names the menu item \"$caption\""
    done <<<"${captions[$f]}"
done

# The Russian menu cannot load or save named games, so its page must not send players there.
if [[ -s "$dir/TutorialR.html" ]] && grep -qE 'quicksave|\.sdk' "$dir/TutorialR.html"; then
    fail "TutorialR.html mentions saved-game files, which the Russian menu cannot reach"
fi

# The shared stylesheet fetches nothing either.
if [[ ! -s "$dir/tutorial.css" ]]; then
    fail "tutorial.css is missing or empty"
elif grep -qiE 'url\(|@import|https?:' "$dir/tutorial.css"; then
    fail "tutorial.css refers to something outside the folder"
fi

if ((failures)); then
    echo "$failures problem(s) in the tutorial pages"
    exit 1
fi
echo "tutorial pages: ${#files[@]} pages checked"
