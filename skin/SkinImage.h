#pragma once

#include <QImage>
#include <filesystem>

#include "skin/SkinRect.h"

class QPainter;

namespace pelmar {

// Decodes a skin image (JPEG or any format Qt reads, decided by content) into
// 32-bit RGB pixels. A missing or undecodable file gives a null image.
QImage LoadSkinBitmap(const std::filesystem::path& file);

// Copies the rectangle `area` of `source` onto the same place of the
// painter's device, unscaled and opaque. The part outside the source picture
// is not drawn; an area of width or height 0 or less draws nothing.
void CopyArea(QPainter& target, const QImage& source, const SkinRect& area);

// Copies the top-left area.width by area.height pixels of `source` to
// (area.x, area.y) of the painter's device; otherwise like CopyArea. The DPI
// slider knob is drawn this way.
void CopyFromOrigin(QPainter& target, const QImage& source, const SkinRect& area);

}  // namespace pelmar
