#pragma once

#include <QEvent>
#include <QString>

namespace pelmar {

// The private events between the editable list box, its in-place editor and
// the list's parent window, numbered as the window's private messages.
namespace list_box_event {
// Editor to list: editing ends, committed or discarded.
inline constexpr auto kEndEditing = static_cast<QEvent::Type>(0x8841);
// List to parent: an edit replaced a line's text.
inline constexpr auto kLineChanged = static_cast<QEvent::Type>(0x8840);
// List to parent: an edit ended, whether committed or discarded.
inline constexpr auto kEditingEnded = static_cast<QEvent::Type>(1034);
}  // namespace list_box_event

class EndEditingEvent : public QEvent {
  public:
    explicit EndEditingEvent(bool commit) : QEvent(list_box_event::kEndEditing), commit_(commit) {}
    bool commit() const { return commit_; }

  private:
    bool commit_;
};

class LineChangedEvent : public QEvent {
  public:
    LineChangedEvent(int line, QString oldText)
        : QEvent(list_box_event::kLineChanged), line_(line), oldText_(std::move(oldText)) {}
    int line() const { return line_; }
    const QString& oldText() const { return oldText_; }

  private:
    int line_;
    QString oldText_;
};

}  // namespace pelmar
