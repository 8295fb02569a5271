#include "macro/CQorvinMenu.h"

#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace pelmar {

namespace {

constexpr int kItemHeight = 20;
constexpr int kPixelsPerCharacter = 8;
constexpr int kTextIndent = 10;

constexpr QColor kTextColour{255, 255, 255};
constexpr QColor kBackgroundColour{0, 120, 153};
constexpr QColor kHighlightTop{0, 0, 255};
constexpr QColor kHighlightBottom{0, 255, 255};
constexpr QColor kFramePen{0, 0, 0};
constexpr QColor kFrameBrush{255, 255, 255};

// Draws and measures the items of every menu it is set on; the menus keep no
// margins or frames of their own, so an item is exactly its measured size.
class QorvinMenuStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override {
        if (type == CT_MenuItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                return CQorvinMenu::MeasureItem({item->text, kSubmenuId});
            }
        }
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    }

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
        if (element == CE_MenuItem) {
            if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
                CQorvinMenu::DrawItem(*painter, item->rect, item->text,
                                      (item->state & State_Selected) != 0);
                return;
            }
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_PanelMenu || element == PE_FrameMenu) {
            painter->fillRect(option->rect, kBackgroundColour);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
            case PM_MenuPanelWidth:
            case PM_MenuHMargin:
            case PM_MenuVMargin:
            case PM_MenuDesktopFrameWidth:
                return 0;
            default:
                return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }
};

QorvinMenuStyle& MenuStyle() {
    static auto* style = new QorvinMenuStyle;
    return *style;
}

// One colour channel of a gradient row: the step per row is truncated toward zero.
int GradientChannel(int top, int bottom, int rows, int row) {
    const int step = static_cast<int>(static_cast<double>(bottom - top) / rows);
    return top + step * row;
}

}  // namespace

CQorvinMenu::CQorvinMenu(QObject* parent) : QObject(parent) {}

CQorvinMenu::~CQorvinMenu() = default;

void CQorvinMenu::LoadMenu(MenuResource resource) {
    menuBar_ = std::make_unique<QMenu>();
    itemCount_ = 0;
    const MenuItemResource& top = LoadMenuResource(resource);
    // The loaded resource is a bar holding one top-level popup.
    const MenuItemResource bar{"", kSubmenuId, std::span<const MenuItemResource>(&top, 1)};
    MakeOwnerDrawn(menuBar_.get(), bar);
}

QMenu* CQorvinMenu::Submenu(int index) const {
    if (!menuBar_ || index < 0 || index >= menuBar_->actions().size()) {
        return nullptr;
    }
    return menuBar_->actions().at(index)->menu();
}

void CQorvinMenu::MakeOwnerDrawn(QMenu* menu, const MenuItemResource& resource) {
    menu->setStyle(&MenuStyle());
    for (const MenuItemResource& child : resource.submenu) {
        if (itemCount_ >= kCapacity) {
            return;
        }
        ItemRecord& record = items_[static_cast<std::size_t>(itemCount_++)];
        record.text = QString::fromUtf8(child.text.data(), static_cast<qsizetype>(child.text.size()));
        record.id = child.id;
        if (child.submenu.empty()) {
            QAction* action = menu->addAction(record.text);
            const int id = record.id;
            connect(action, &QAction::triggered, this, [this, id] { emit commandChosen(id); });
        } else {
            QMenu* submenu = menu->addMenu(record.text);
            MakeOwnerDrawn(submenu, child);
        }
    }
}

QSize CQorvinMenu::MeasureItem(const ItemRecord& record) {
    return {kPixelsPerCharacter * static_cast<int>(record.text.size()), kItemHeight};
}

void CQorvinMenu::DrawItem(QPainter& painter, const QRect& rect, const QString& text,
                           bool highlighted) {
    painter.save();
    if (!highlighted) {
        painter.fillRect(rect, kBackgroundColour);
    } else {
        // A one-pixel frame in the default pen and brush, then the gradient inside it.
        painter.fillRect(rect, kFrameBrush);
        painter.setPen(kFramePen);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        const QRect inner = rect.adjusted(1, 1, -1, -1);
        const int rows = inner.height();
        for (int row = 0; rows > 0 && row < rows; ++row) {
            const QColor colour(
                GradientChannel(kHighlightTop.red(), kHighlightBottom.red(), rows, row),
                GradientChannel(kHighlightTop.green(), kHighlightBottom.green(), rows, row),
                GradientChannel(kHighlightTop.blue(), kHighlightBottom.blue(), rows, row));
            painter.fillRect(QRect(inner.left(), inner.top() + row, inner.width(), 1), colour);
        }
    }
    painter.setPen(kTextColour);
    painter.drawText(rect.adjusted(kTextIndent, 0, 0, 0),
                     Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter.restore();
}

}  // namespace pelmar
