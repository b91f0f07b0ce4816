// The colours of the three skins (Paper, Sand, Steel).
#include "tools/artgen/SkinStyles.h"

#include <array>

namespace {

SSkinStyle Paper() {
    SSkinStyle s{};
    s.name = "Paper";
    s.folder = "Skin1";
    s.encoding = EBmpEncoding::Rgb24;
    s.seed = 0x5A7E1001U;
    s.cell = qRgb(250, 248, 241);
    s.thinLine = qRgb(196, 193, 184);
    s.boxLine = qRgb(70, 70, 76);
    s.given = qRgb(26, 26, 30);
    s.entry = qRgb(28, 78, 168);
    s.illegalInk = qRgb(196, 18, 18);
    s.illegalBadge = qRgb(255, 212, 204);
    s.notAllowedInk = qRgb(196, 194, 188);
    s.strike = qRgb(214, 120, 110);
    s.pencil = qRgb(74, 74, 82);
    s.pencilBadInk = qRgb(190, 0, 0);
    s.pencilBadChip = qRgb(255, 206, 198);
    s.selection = qRgb(236, 128, 16);
    s.hint = qRgb(30, 150, 70);
    s.boldEntries = false;
    return s;
}

SSkinStyle Sand() {
    SSkinStyle s{};
    s.name = "Sand";
    s.folder = "Skin2";
    s.encoding = EBmpEncoding::Indexed8;
    s.seed = 0x5A7E2002U;
    s.cell = qRgb(240, 225, 192);
    s.thinLine = qRgb(204, 178, 128);
    s.boxLine = qRgb(112, 80, 40);
    s.given = qRgb(52, 32, 12);
    s.entry = qRgb(26, 66, 148);
    s.illegalInk = qRgb(186, 20, 10);
    s.illegalBadge = qRgb(255, 204, 188);
    s.notAllowedInk = qRgb(204, 186, 150);
    s.strike = qRgb(196, 110, 80);
    s.pencil = qRgb(88, 60, 30);
    s.pencilBadInk = qRgb(186, 10, 0);
    s.pencilBadChip = qRgb(255, 200, 184);
    s.selection = qRgb(18, 112, 200);
    s.hint = qRgb(36, 140, 40);
    s.boldEntries = false;
    return s;
}

SSkinStyle Steel() {
    SSkinStyle s{};
    s.name = "Steel";
    s.folder = "Skin3";
    s.encoding = EBmpEncoding::Rgb565;
    s.seed = 0x5A7E3003U;
    s.cell = qRgb(156, 164, 173);
    s.thinLine = qRgb(118, 126, 136);
    s.boxLine = qRgb(36, 42, 52);
    s.given = qRgb(8, 10, 16);
    s.entry = qRgb(10, 44, 128);
    s.illegalInk = qRgb(176, 0, 0);
    s.illegalBadge = qRgb(250, 198, 190);
    s.notAllowedInk = qRgb(126, 133, 142);
    s.strike = qRgb(150, 60, 60);
    s.pencil = qRgb(20, 28, 48);
    s.pencilBadInk = qRgb(176, 0, 0);
    s.pencilBadChip = qRgb(250, 198, 190);
    s.selection = qRgb(255, 148, 0);
    s.hint = qRgb(0, 160, 72);
    s.boldEntries = true;
    return s;
}

QRgb Snap565(QRgb c) {
    return Expand565(Nearest565(c));
}

// A 5-6-5 skin keeps its flat colours exact, so that nothing of them is dithered away.
SSkinStyle Snapped(SSkinStyle s) {
    if (s.encoding != EBmpEncoding::Rgb565) {
        return s;
    }
    for (QRgb* c : {&s.cell, &s.thinLine, &s.boxLine, &s.given, &s.entry, &s.illegalInk,
                    &s.illegalBadge, &s.notAllowedInk, &s.strike, &s.pencil, &s.pencilBadInk,
                    &s.pencilBadChip, &s.selection, &s.hint}) {
        *c = Snap565(*c);
    }
    return s;
}

}  // namespace

const SSkinStyle& SkinStyle(int skin) {
    static const std::array<SSkinStyle, kSkinCount> styles = {Snapped(Paper()), Snapped(Sand()),
                                                              Snapped(Steel())};
    return styles[static_cast<std::size_t>(skin)];
}
