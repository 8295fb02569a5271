#include "skin/PagePainter.h"

#include <QIcon>
#include <QPainter>

#include "app/SharedState.h"
#include "skin/PageImageSet.h"
#include "skin/PageLabels.h"
#include "skin/PageStates.h"

namespace pelmar {

QImage PaintPage(const SharedState& state, SkinImageCache& cache, QSize size) {
    const PageImageSet images = LoadPageImages(cache, state.skinFolder, state.currentPage);
    QImage frame(size, QImage::Format_RGB32);
    frame.fill(Qt::black);
    {
        QPainter painter(&frame);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, images.normal);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        ComposePageStates(painter, images, state, cache);
        ComposeCommonStates(painter, images, state);
        DrawPageLabels(painter, state);
    }
    return frame;
}

void PaintMinimisedIcon(QPainter& painter, QSize client, const QIcon& icon, int iconSize) {
    painter.fillRect(QRect(QPoint(0, 0), client), Qt::black);
    const int x = (client.width() - iconSize + 1) / 2;
    const int y = (client.height() - iconSize + 1) / 2;
    icon.paint(&painter, x, y, iconSize, iconSize);
}

}  // namespace pelmar
