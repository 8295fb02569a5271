#include "skin/PageLabels.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <mutex>
#include <optional>
#include <string_view>

#include "app/SharedState.h"
#include "profile/FunctionCodes.h"
#include "skin/PageAreas.h"
#include "skin/SkinRect.h"

namespace pelmar {

namespace {

const QColor kDefaultColour(255, 255, 255);
const QColor kBrandColour(255, 255, 0);  // frame label 1
const QColor kHotColour(255, 0, 0);      // hovered button function and advanced label
const QColor kEnabledLevelColour(255, 0, 0);
const QColor kDisabledLevelColour(128, 128, 128);

constexpr int kBrandLabel = 1;

// The faces are those the skins name; the program maps them to installed ones.
struct LabelFace {
    const char* family;
    qreal points;
    qreal smallPoints;
    QFont::StyleHint hint;
};
constexpr LabelFace kEnglishFace{"Consolas", 10, 7.5, QFont::TypeWriter};
constexpr LabelFace kChineseFace{"宋体", 10, 9, QFont::SansSerif};

// Main page: labels 0 to 53 are drawn; 50 to 53 caption the DPI levels.
constexpr int kMainLabelCount = 54;
constexpr int kFirstLevelCaption = 50;
constexpr int kLastLevelCaption = 53;
// Button functions are left-aligned this far into their area.
constexpr int kButtonTextIndent = 5;

// Advanced page labels replaced by the program.
constexpr int kRecordLabel = 4;
constexpr int kFireTimeLabel = 33;
constexpr int kPressCountLabel = 43;
constexpr int kReleaseCountLabel = 44;

// Colour page: the DPI of the current level replaces this label.
constexpr int kDpiValueLabel = 9;

struct LanguageText {
    const char* english;
    const char* chinese;
};
constexpr LanguageText kRecordText{"Record", "录制"};
constexpr LanguageText kStopText{"Stop", "停止"};
constexpr const char* kPressCountPrefix = "[↓]";
constexpr const char* kReleaseCountPrefix = "[↑]";
constexpr const char* kFireTimeUnit = "ms";

QFont MakeFont(const LabelFace& face, qreal points) {
    QFont font(QString::fromUtf8(face.family));
    font.setStyleHint(face.hint);
    font.setPointSizeF(points);
    return font;
}

// Qt sizes a font by its height only; the stretch brings the average
// character width of the face that stands in for the skin's to the width asked.
constexpr int kMinStretch = 1;
constexpr int kMaxStretch = 4000;
constexpr int kNormalStretch = 100;

QFont MakePixelFont(const LabelFace& face, const PixelFontSize& size) {
    QFont font(QString::fromUtf8(face.family));
    font.setStyleHint(face.hint);
    font.setPixelSize(size.height);
    const int natural = QFontMetrics(font).averageCharWidth();
    if (natural > 0) {
        const long stretch =
            std::lround(static_cast<double>(kNormalStretch) * size.width / natural);
        font.setStretch(static_cast<int>(std::clamp<long>(stretch, kMinStretch, kMaxStretch)));
    }
    return font;
}

// The fonts of one interface language.
struct LanguageFonts {
    QFont label;
    QFont small;
};

struct LabelFontSet {
    LanguageFonts english;
    LanguageFonts chinese;
};

LanguageFonts PointFonts(const LabelFace& face) {
    return {MakeFont(face, face.points), MakeFont(face, face.smallPoints)};
}

// With pixel fonts the level captions are drawn as plain labels.
LanguageFonts PixelFonts(const LabelFace& face, const PixelFontSize& size) {
    const QFont font = MakePixelFont(face, size);
    return {font, font};
}

LabelFontSet MakeFontSet(const Model& model) {
    if (!model.pixelFonts) {
        return {PointFonts(kEnglishFace), PointFonts(kChineseFace)};
    }
    return {PixelFonts(kEnglishFace, model.pixelFonts->english),
            PixelFonts(kChineseFace, model.pixelFonts->chinese)};
}

// Created at start-up, used by the user-interface thread only.
std::optional<LabelFontSet>& CreatedFonts() {
    static std::optional<LabelFontSet> fonts;
    return fonts;
}

const LanguageFonts& Fonts(std::int32_t languageEnglish) {
    std::optional<LabelFontSet>& fonts = CreatedFonts();
    if (!fonts) {
        fonts = MakeFontSet(ModelA());
    }
    return languageEnglish != 0 ? fonts->english : fonts->chinese;
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString InLanguage(const LanguageText& text, std::int32_t languageEnglish) {
    return QString::fromUtf8(languageEnglish != 0 ? text.english : text.chinese);
}

// The name shown for a button's function: a user macro shows its own name.
QString FunctionText(const SharedState& state, std::int32_t code) {
    const std::int32_t slot = code - kFirstUserMacroCode;
    if (slot >= 0 && slot < static_cast<std::int32_t>(kUserMacroCapacity)) {
        const std::lock_guard lock(state.macros.mutex);
        return QString::fromStdU16String(
            MacroName(state.macros.user.records[static_cast<std::size_t>(slot)]));
    }
    return FromUtf8(state.skin.FunctionName(code));
}

QString DpiValueText(const SharedState& state) {
    const std::int32_t level = state.profile.dpiLevel;
    // A level outside 0 to 3 (an edited settings file) shows the value of an unknown code.
    const std::uint8_t code = level >= 0 && level < kDpiLevelCount
                                  ? state.dpiValueCode[static_cast<std::size_t>(level)]
                                  : 0;
    return QString::number(DisplayedDpi(*state.model, code));
}

// The text the advanced page shows for its label k.
QString AdvancedText(const SharedState& state, int k) {
    const std::int32_t english = state.languageEnglish;
    switch (k) {
        case kRecordLabel:
            return InLanguage(state.recording ? kStopText : kRecordText, english);
        case kFireTimeLabel:
            return QString::number(state.profile.fireTime) + kFireTimeUnit;
        case kPressCountLabel:
            return QString::fromUtf8(kPressCountPrefix) + QString::number(state.recordedPresses);
        case kReleaseCountLabel:
            return QString::fromUtf8(kReleaseCountPrefix) + QString::number(state.recordedReleases);
        default:
            return FromUtf8(state.skin.advancedPage.Label(k));
    }
}

class LabelLayout {
  public:
    LabelLayout(const SharedState& state, QPaintDevice* device)
        : state_(state),
          device_(device),
          font_(LabelFont(state.languageEnglish)),
          smallFont_(SmallLabelFont(state.languageEnglish)) {}

    std::vector<PageLabel> Run() {
        switch (state_.currentPage) {
            case Page::Main:
                MainPage();
                break;
            case Page::Advanced:
                Frame();
                for (int k = 0; k < state_.skin.advancedPage.Count(); ++k) {
                    Centred(kFrameAreaCount + k, state_.skin.advancedPage.Area(k),
                            AdvancedText(state_, k),
                            k == state_.advancedHot ? kHotColour : kDefaultColour, font_);
                }
                break;
            case Page::Colour:
                Frame();
                for (int k = 0; k < state_.skin.colourPage.Count(); ++k) {
                    Centred(kFrameAreaCount + k, state_.skin.colourPage.Area(k),
                            k == kDpiValueLabel ? DpiValueText(state_)
                                                : FromUtf8(state_.skin.colourPage.Label(k)),
                            kDefaultColour, font_);
                }
                break;
        }
        return std::move(labels_);
    }

  private:
    QColor FrameColour(int i) const {
        return i == kBrandLabel && state_.model->highlightsBrandLabel ? kBrandColour
                                                                      : kDefaultColour;
    }

    void FrameLabel(int i, const QColor& colour, const QFont& font) {
        Centred(i, state_.skin.mainPage.Area(i), FromUtf8(state_.skin.mainPage.Label(i)), colour,
                font);
    }

    void Frame() {
        for (int i = 0; i < kFrameAreaCount; ++i) {
            FrameLabel(i, FrameColour(i), font_);
        }
    }

    void MainPage() {
        const Profile& profile = state_.profile;
        for (int i = 0; i < kMainLabelCount; ++i) {
            if (i >= kFirstButtonArea && i <= kLastButtonArea) {
                const std::int32_t code =
                    profile.buttonFunction[static_cast<std::size_t>(i - kFirstButtonArea)];
                LeftAligned(i, state_.skin.mainPage.Area(i), FunctionText(state_, code),
                            i == state_.mainHot ? kHotColour : FrameColour(i));
            } else if (i >= kFirstLevelCaption && i <= kLastLevelCaption &&
                       state_.model->dpiCaptionsShowEnabled) {
                const bool enabled =
                    profile.dpiSetEnabled[static_cast<std::size_t>(i - kFirstLevelCaption)] != 0;
                FrameLabel(i, enabled ? kEnabledLevelColour : kDisabledLevelColour, smallFont_);
            } else {
                FrameLabel(i, FrameColour(i), font_);
            }
        }
    }

    // Centring truncates toward zero, so a text wider than its area starts
    // left of it, and is still drawn whole.
    void Centred(int i, const SkinRect& area, QString text, const QColor& colour,
                 const QFont& font) {
        const QFontMetrics metrics(font, device_);
        const int x =
            ToPixels(area.x + (std::int64_t{area.width} - metrics.horizontalAdvance(text)) / 2);
        const int y = ToPixels(area.y + (std::int64_t{area.height} - metrics.height()) / 2);
        labels_.push_back({i, std::move(text), QPoint(x, y), colour, font});
    }

    void LeftAligned(int i, const SkinRect& area, QString text, const QColor& colour) {
        const QFontMetrics metrics(font_, device_);
        const int y = ToPixels(area.y + (std::int64_t{area.height} - metrics.height()) / 2);
        labels_.push_back({i, std::move(text),
                           QPoint(ToPixels(std::int64_t{area.x} + kButtonTextIndent), y), colour,
                           font_});
    }

    const SharedState& state_;
    QPaintDevice* device_;
    QFont font_;
    QFont smallFont_;
    std::vector<PageLabel> labels_;
};

}  // namespace

void MapSkinFonts() {
    QFont::insertSubstitutions("Consolas", {"DejaVu Sans Mono", "Liberation Mono", "Monospace"});
    QFont::insertSubstitutions(QString::fromUtf8("宋体"),
                               {"WenQuanYi Micro Hei", "Noto Sans CJK SC", "Sans Serif"});
}

void CreateLabelFonts(const Model& model) {
    CreatedFonts() = MakeFontSet(model);
}

QFont LabelFont(std::int32_t languageEnglish) {
    return Fonts(languageEnglish).label;
}

QFont SmallLabelFont(std::int32_t languageEnglish) {
    return Fonts(languageEnglish).small;
}

std::vector<PageLabel> LayOutPageLabels(const SharedState& state, QPaintDevice* device) {
    return LabelLayout(state, device).Run();
}

void DrawPageLabels(QPainter& frame, const SharedState& state) {
    for (const PageLabel& label : LayOutPageLabels(state, frame.device())) {
        frame.setFont(label.font);
        frame.setPen(label.colour);
        const QFontMetrics metrics(label.font, frame.device());
        frame.drawText(label.position + QPoint(0, metrics.ascent()), label.text);
    }
}

}  // namespace pelmar
