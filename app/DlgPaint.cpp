// The main window's paint: one frame composed off screen from the skin and
// drawn in one piece, and the popup and lighting preview the paint serves.
#include <QPainter>
#include <QStyle>

#include "app/CPelmarDlg.h"
#include "app/FirstPaintReport.h"
#include "app/Notifier.h"
#include "app/SharedState.h"
#include "skin/PagePainter.h"

namespace pelmar {

void CPelmarDlg::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    // A choice made in the function-choice popup closes it at the next paint.
    if (sharedState.popupCloseRequest != 0) {
        sharedState.popupCloseRequest = 0;
        DestroyPopupWindow();
    }
    if (isMinimized()) {
        PaintMinimisedIcon(painter, size(), icon_, style()->pixelMetric(QStyle::PM_LargeIconSize));
        return;
    }
    painter.drawImage(0, 0, PaintPage(sharedState, skinImages_, size()));
    if (sharedState.currentPage == Page::Main) {
        ReportFirstPaint();
    }
}

void CPelmarDlg::SetPopupWindow(QWidget* popup) {
    popupWindow_ = popup;
}

void CPelmarDlg::DestroyPopupWindow() {
    if (popupWindow_ != nullptr) {
        popupWindow_->hide();
        popupWindow_->deleteLater();
        popupWindow_ = nullptr;
    }
}

void CPelmarDlg::StartLightingPreview() {
    if (ended_) {
        return;
    }
    if (lightingPreview_ == nullptr) {
        lightingPreview_ = std::make_unique<LightingPreview>(
            sharedState, [] { notifier.RequestRepaint(); },
            std::make_unique<SteadyPreviewWaiter>());
    }
    lightingPreview_->Start();
}

}  // namespace pelmar
