#pragma once

#include <QColor>
#include <QRectF>
#include <cstdint>

class QPainter;

namespace skingen {

// The three pictures of a page: at rest, under the pointer, pressed or chosen.
enum class State : std::uint8_t { Normal, Over, Down };

// How an area of a page looks in each state. The program draws the labels on
// top, so no look holds translated text.
enum class Look : std::uint8_t {
    Plain,          // the same in every state: captions, texts, unused keys
    Button,         // an ordinary push button
    PrimaryButton,  // the button that sends the settings to the mouse
    Segment,        // one choice of a row of choices (profiles, on/off, language)
    Tab,            // a page tab in the header
    Minimize,
    Close,
    Link,          // the maker's web page
    FunctionSlot,  // a mouse button's function; opens the function menu
    Switch,        // DPI level taking part in the cycle: off at rest, on when down
    Radio,         // the current DPI level
    LevelMarker,   // the strip beside the current DPI level
    SliderStop,    // one stop of a DPI slider; the knob is a picture of its own
    CheckBox,
    Step,     // one step of the pointer or wheel speed scale
    FireBar,  // the rapid-fire interval: empty track at rest, filled when down
    Plus,
    Minus,
    ValueWell,  // a recessed field showing a number
    RecordButton,
    LightingMode,  // the colour page's mode buttons; the variant picks the icon
    Preview,       // the colour page's lighting preview
};

// What a look may need besides its state.
struct LookContext {
    int variant = 0;                   // position of the area in its range of the same look
    QColor previewColour{0, 0, 0, 0};  // the preview's light; transparent for unlit
};

// Draws `look` filling `rect`. Nothing is drawn outside it.
void DrawLook(QPainter& painter, Look look, const QRectF& rect, State state,
              const LookContext& context);

// The selected stop of a DPI slider, drawn over the stop's own look.
void DrawSliderKnob(QPainter& painter, const QRectF& rect);

}  // namespace skingen
