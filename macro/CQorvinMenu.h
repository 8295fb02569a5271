#pragma once

#include <QMenu>
#include <QObject>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

#include "res/Menus.h"

class QPainter;

namespace pelmar {

// A popup menu drawn in the program's colours: white text on teal, a framed
// blue-to-cyan gradient under the highlighted item. Loading a menu resource
// builds its menus and gives every item of every level a record, depth first.
class CQorvinMenu : public QObject {
    Q_OBJECT

public:
    struct ItemRecord {
        QString text;
        std::int32_t id = kSubmenuId;
    };
    static constexpr int kCapacity = 30;

    explicit CQorvinMenu(QObject* parent = nullptr);
    ~CQorvinMenu() override;

    // Loads a menu resource, replacing the menu loaded before.
    void LoadMenu(MenuResource resource);
    // Popup index of the loaded resource; popup 0 is the menu that is shown.
    QMenu* Submenu(int index) const;

    int itemCount() const { return itemCount_; }
    const ItemRecord& item(int index) const { return items_[static_cast<std::size_t>(index)]; }

    // Every item is 20 pixels high and 8 pixels wide per character.
    static QSize MeasureItem(const ItemRecord& record);
    static void DrawItem(QPainter& painter, const QRect& rect, const QString& text,
                         bool highlighted);

signals:
    // A command item was chosen; id is its command identifier.
    void commandChosen(int id);

private:
    void MakeOwnerDrawn(QMenu* menu, const MenuItemResource& resource);

    std::array<ItemRecord, kCapacity> items_;
    int itemCount_ = 0;
    std::unique_ptr<QMenu> menuBar_;
};

}  // namespace pelmar
