#pragma once

#include <QImage>
#include <QSize>

class QIcon;
class QPainter;

namespace pelmar {

struct SharedState;
class SkinImageCache;

// Composes one whole frame of the page shown, off screen, `size` large (the
// window's): the page's normal look, the state looks copied over it, then
// its texts. Parts outside a smaller normal picture stay black; a missing
// over or down picture leaves its areas at rest.
QImage PaintPage(const SharedState& state, SkinImageCache& cache, QSize size);

// The minimised window's paint: the background cleared and the icon,
// `iconSize` square, centred in `client`.
void PaintMinimisedIcon(QPainter& painter, QSize client, const QIcon& icon, int iconSize);

}  // namespace pelmar
