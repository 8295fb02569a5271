#pragma once

#include <QDialog>
#include <QImage>
#include <cstdint>

#include "app/SharedState.h"

namespace pelmar {

// Results of the left-button warning.
inline constexpr int kWarningConfirmed = 1;
inline constexpr int kWarningCancelled = 2;

// The modal warning shown before a button's function popup opens when the
// mouse could lose its left click. Shaped, pictured and labelled from the
// skin's warning table and images, it shows at popupPosition and ends with
// kWarningConfirmed or kWarningCancelled (also for Escape) when the left
// button is released on its confirm or cancel area.
class WarningDlg : public QDialog {
    Q_OBJECT

  public:
    explicit WarningDlg(const SharedState& state, QWidget* parent = nullptr);

    // The warning area under the pointer: kWarningConfirmed,
    // kWarningCancelled, or kNoArea.
    std::int32_t hot() const { return hot_; }

    void reject() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // Sets hot_ from a point; true when it changed.
    bool TrackHot(QPoint point);

    const SharedState& state_;
    QImage normal_;
    QImage over_;
    std::int32_t hot_ = kNoArea;
};

}  // namespace pelmar
