#include "assign/MenuLooks.h"

#include <QPainter>

#include "assign/CentredText.h"
#include "skin/PageLabels.h"
#include "skin/SkinImage.h"

namespace pelmar {

MenuImages MenuImages::Load(const std::filesystem::path& skinFolder, const LookImages& names) {
    return {LoadSkinBitmap(skinFolder / names.normal), LoadSkinBitmap(skinFolder / names.over),
            LoadSkinBitmap(skinFolder / names.down)};
}

void PaintMenu(QPainter& painter, const MenuImages& images, const MenuPicture& picture,
               const QStringList& labels) {
    const int height = picture.rows * picture.rowHeight + 1;
    painter.fillRect(0, 0, picture.rowWidth, height, Qt::black);
    CopyArea(painter, images.normal, SkinRect{0, 0, picture.rowWidth, height});
    if (picture.hot >= 1 && picture.hot <= picture.rows) {
        const SkinRect band{0, (picture.hot - 1) * picture.rowHeight, picture.rowWidth,
                            picture.rowHeight};
        CopyArea(painter, picture.pressed ? images.down : images.over, band);
    }
    painter.setFont(LabelFont(picture.languageEnglish));
    for (int row = 1; row <= picture.rows && row <= labels.size(); ++row) {
        const SkinRect band{0, (row - 1) * picture.rowHeight, picture.rowWidth, picture.rowHeight};
        DrawCentredText(painter, band, labels[row - 1],
                        row == picture.hot ? kHotRowColour : kRowColour);
    }
}

}  // namespace pelmar
