#pragma once

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QString>
#include <cstdint>
#include <vector>

class QPainter;
class QPaintDevice;

namespace pelmar {

struct Model;
struct SharedState;

// The skins name their fonts by the faces of the platform they were made
// for; this maps those names to the installed faces that stand in for them.
// Called once at start-up, before CreateLabelFonts.
void MapSkinFonts();

// Creates the fonts of the window's texts for `model` and keeps them for the
// life of the process. Called once at start-up, after the application object
// exists; until then the texts use model A's fonts.
void CreateLabelFonts(const Model& model);

// The font of the window's texts, of the advanced page's controls, of the
// popups and of the warning, in the interface language.
QFont LabelFont(std::int32_t languageEnglish);
// The font of the main page's DPI level captions: a smaller one with
// point-sized fonts, the label font itself with pixel-sized ones.
QFont SmallLabelFont(std::int32_t languageEnglish);

// One text of a page, placed: its top-left corner, colour and font.
struct PageLabel {
    // Its place in the drawing pass: the frame's labels are 0 to 19; on the
    // advanced and colour pages, index 20 + k is the page's own label k.
    int index = 0;
    QString text;
    QPoint position;
    QColor colour;
    QFont font;
};

// The texts of the page shown, in drawing order: the frame's labels and the
// page's own, with the button functions, the recording state, the counters,
// the rapid-fire time and the current DPI in place of their labels. Texts
// are measured with the fonts as they draw on `device`.
std::vector<PageLabel> LayOutPageLabels(const SharedState& state, QPaintDevice* device);

// Draws the texts of LayOutPageLabels on the frame being composed, without
// clipping.
void DrawPageLabels(QPainter& frame, const SharedState& state);

}  // namespace pelmar
