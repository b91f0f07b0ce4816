// CQtCanvasFactory: canvases that draw with QPainter, for the running game.
#pragma once

#include <memory>

#include "platform/Canvas.h"
#include "platform/qt/QtCanvas.h"

// The game's text (soft keys, captions, the clock) needs real fonts with Latin, Cyrillic and
// Chinese letters; the window and the script mode's screenshots draw through this factory alike.
class CQtCanvasFactory : public ICanvasFactory {
public:
    std::unique_ptr<ICanvas> Create(Bitmap& target) override {
        return std::make_unique<CQtCanvas>(target);
    }
};
