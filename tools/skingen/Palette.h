#pragma once

#include <QColor>

namespace skingen {

// The skin's colours: a dark, cool base and one cyan accent. The lighting
// preview's colours are the mouse's own and stand apart.
inline constexpr QColor kWindow{10, 13, 18};
inline constexpr QColor kHeaderTop{23, 30, 40};
inline constexpr QColor kHeaderBottom{13, 17, 23};
inline constexpr QColor kPanel{15, 20, 27};
inline constexpr QColor kPanelHeader{20, 27, 36};
inline constexpr QColor kBorder{35, 47, 61};
inline constexpr QColor kBorderLight{52, 68, 86};
inline constexpr QColor kControl{22, 29, 38};
inline constexpr QColor kControlOver{29, 39, 51};
inline constexpr QColor kControlDown{10, 58, 66};
inline constexpr QColor kWell{6, 8, 11};
inline constexpr QColor kTrack{33, 43, 56};
inline constexpr QColor kAccent{32, 208, 232};
inline constexpr QColor kAccentDim{20, 128, 143};
inline constexpr QColor kAccentDeep{9, 52, 60};
inline constexpr QColor kTextDim{112, 126, 144};
inline constexpr QColor kTextBright{214, 224, 235};
inline constexpr QColor kIcon{150, 164, 181};
inline constexpr QColor kMask{0, 0, 0};
inline constexpr QColor kMaskCut{255, 255, 255};

// Lighting preview looks: one colour per DPI level, and unlit.
inline constexpr QColor kPreviewBlue{47, 123, 255};
inline constexpr QColor kPreviewPink{255, 79, 163};
inline constexpr QColor kPreviewRed{255, 42, 58};
inline constexpr QColor kPreviewPurple{155, 77, 255};
inline constexpr QColor kPreviewUnlit{0, 0, 0, 0};

}  // namespace skingen
