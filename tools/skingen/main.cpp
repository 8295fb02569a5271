// skingen paints the pictures of a default skin from its layout files:
//   skingen --model A|B --layouts SOURCE_FOLDER --out SKIN_FOLDER
// The layout files are the only source of coordinates; every picture the
// program loads is drawn to fit them.
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/Model.h"
#include "skin/SkinFiles.h"
#include "skin/SkinImage.h"
#include "tools/skingen/LanguageLayouts.h"
#include "tools/skingen/Pages.h"
#include "tools/skingen/Palette.h"
#include "tools/skingen/Popups.h"
#include "tools/skingen/SkinDesign.h"

namespace {

constexpr int kJpegQuality = 95;

struct Arguments {
    std::string model;
    std::filesystem::path layouts;
    std::filesystem::path out;
};

// The skins this tool can paint: a model's traits and its design.
struct SkinSet {
    std::string_view name;
    const pelmar::Model& (*model)();
    const skingen::SkinDesign& (*design)();
};
constexpr SkinSet kSkinSets[] = {{"A", pelmar::ModelA, skingen::ModelADesign},
                                 {"B", pelmar::ModelB, skingen::ModelBDesign}};

std::optional<Arguments> Parse(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string_view option = argv[i];
        if (option == "--model") {
            arguments.model = argv[i + 1];
        } else if (option == "--layouts") {
            arguments.layouts = argv[i + 1];
        } else if (option == "--out") {
            arguments.out = argv[i + 1];
        } else {
            return std::nullopt;
        }
    }
    // Options come in pairs, and all three are needed.
    if (argc % 2 == 0 || arguments.model.empty() || arguments.layouts.empty() ||
        arguments.out.empty()) {
        return std::nullopt;
    }
    return arguments;
}

class Painter {
  public:
    explicit Painter(std::filesystem::path out) : out_(std::move(out)) {}

    bool Save(std::string_view name, const QImage& image) {
        const std::filesystem::path path = out_ / name;
        QImageWriter writer(QString::fromStdU16String(path.u16string()), "jpeg");
        writer.setQuality(kJpegQuality);
        writer.setOptimizedWrite(true);
        if (!writer.write(image)) {
            return Fail("cannot write " + path.string() + ": " +
                        writer.errorString().toStdString());
        }
        return true;
    }

    // Saves a mask and checks that the compressed file still cuts the shape.
    bool SaveMask(std::string_view name, const QImage& image,
                  const std::function<bool(const QImage&)>& keepsShape) {
        if (!Save(name, image)) {
            return false;
        }
        if (!keepsShape(pelmar::LoadSkinBitmap(out_ / name))) {
            return Fail(std::string(name) + " no longer gives its shape once compressed");
        }
        return true;
    }

    static bool Fail(const std::string& what) {
        std::fprintf(stderr, "skingen: %s\n", what.c_str());
        return false;
    }

  private:
    std::filesystem::path out_;
};

bool PaintSkin(const pelmar::SkinLayout& layout, const skingen::SkinDesign& design,
               Painter& painter) {
    namespace images = pelmar::skin_images;
    using skingen::State;
    const auto looks = [&](const pelmar::LookImages& names, auto paint) {
        return painter.Save(names.normal, paint(State::Normal)) &&
               painter.Save(names.over, paint(State::Over)) &&
               painter.Save(names.down, paint(State::Down));
    };
    const auto colourPage = [&](State state, const QColor& preview) {
        return skingen::PaintColourPage(layout, design, state, preview);
    };
    const auto menu = [](const skingen::MenuShape& shape) {
        return [&shape](State state) { return skingen::PaintMenu(shape, state); };
    };
    return painter.SaveMask(
               images::kMainMask, skingen::PaintWindowMask(design),
               [&](const QImage& decoded) { return skingen::MaskKeepsShape(decoded, design); }) &&
           looks(images::kMainPage,
                 [&](State state) { return skingen::PaintMainPage(layout, design, state); }) &&
           looks(images::kAdvancedPage,
                 [&](State state) { return skingen::PaintAdvancedPage(layout, design, state); }) &&
           painter.Save(images::kColourPage.normal,
                        colourPage(State::Normal, skingen::kPreviewPink)) &&
           painter.Save(images::kColourPage.over, colourPage(State::Over, skingen::kPreviewRed)) &&
           painter.Save(images::kColourPage.down,
                        colourPage(State::Down, skingen::kPreviewPurple)) &&
           painter.Save(images::kColourPreviewGrey,
                        colourPage(State::Normal, skingen::kPreviewUnlit)) &&
           painter.Save(images::kColourPreviewBlue,
                        colourPage(State::Normal, skingen::kPreviewBlue)) &&
           (design.sliderKnobArea < 0 ||
            painter.Save(images::kDpiSlider, skingen::PaintSliderKnob(layout, design))) &&
           painter.Save(images::kMenuMask, skingen::PaintMenuMask(skingen::kFirstLevelMenu)) &&
           looks(images::kMenu, menu(skingen::kFirstLevelMenu)) &&
           painter.Save(images::kSubMenuMask, skingen::PaintMenuMask(skingen::kSecondLevelMenu)) &&
           looks(images::kSubMenu, menu(skingen::kSecondLevelMenu)) &&
           painter.SaveMask(images::kWarningMask, skingen::PaintWarningMask(layout),
                            [&](const QImage& decoded) {
                                return skingen::WarningMaskKeepsShape(decoded, layout);
                            }) &&
           painter.Save(images::kWarningNormal,
                        skingen::PaintWarning(layout, design, State::Normal)) &&
           painter.Save(images::kWarningOver, skingen::PaintWarning(layout, design, State::Over));
}

}  // namespace

int main(int argc, char** argv) {
    // Painting needs fonts but no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);

    const std::optional<Arguments> arguments = Parse(argc, argv);
    const SkinSet* set = nullptr;
    for (const SkinSet& candidate : kSkinSets) {
        if (arguments && candidate.name == arguments->model) {
            set = &candidate;
        }
    }
    if (set == nullptr) {
        std::fputs("usage: skingen --model A|B --layouts FOLDER --out FOLDER\n", stderr);
        return 2;
    }

    std::string error;
    const std::optional<skingen::LanguageLayouts> layouts =
        skingen::LoadLanguageLayouts(arguments->layouts, set->model(), error);
    if (!layouts) {
        Painter::Fail(error);
        return 1;
    }
    const skingen::SkinDesign& design = set->design();
    error = design.check(layouts->english);
    if (!error.empty()) {
        Painter::Fail(error);
        return 1;
    }
    std::error_code made;
    std::filesystem::create_directories(arguments->out, made);
    Painter painter(arguments->out);
    return PaintSkin(layouts->english, design, painter) ? 0 : 1;
}
