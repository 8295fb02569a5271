#pragma once

#include <QColor>
#include <QImage>
#include <QStringList>
#include <cstdint>
#include <filesystem>

#include "skin/SkinFiles.h"

class QPainter;

namespace pelmar {

// The pictures of a popup list's three looks, decoded from the skin folder.
struct MenuImages {
    QImage normal;
    QImage over;
    QImage down;

    static MenuImages Load(const std::filesystem::path& skinFolder, const LookImages& names);
};

// A popup list of rows of one size as it is drawn.
struct MenuPicture {
    int rowWidth = 0;
    int rowHeight = 0;
    int rows = 0;  // rows labelled
    int hot = 0;   // row under the pointer, 1 to rows; any other value for none
    bool pressed = false;
    std::int32_t languageEnglish = 0;
};

// The row label colours: the hovered row red, the others white.
inline constexpr QColor kHotRowColour{255, 0, 0};
inline constexpr QColor kRowColour{255, 255, 255};

// Draws the list: the normal picture, the hovered row's band from the
// pressed or hover picture, and each row's label centred in its band.
void PaintMenu(QPainter& painter, const MenuImages& images, const MenuPicture& picture,
               const QStringList& labels);

}  // namespace pelmar
