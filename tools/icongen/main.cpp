// Writes the application icon at the sizes of a desktop icon theme:
//   pelmar-icongen SOURCE.png OUTPUT_FOLDER SIZE...
// Each SIZE N becomes OUTPUT_FOLDER/NxN.png, scaled down smoothly from the
// square source. A size above the source's is refused rather than blurred up.
#include <QColorSpace>
#include <QImage>
#include <QString>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "pelmar-icongen: %s\n", message.c_str());
    return 1;
}

int Run(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: pelmar-icongen SOURCE.png OUTPUT_FOLDER SIZE...\n");
        return 2;
    }
    QImage source(QString::fromLocal8Bit(argv[1]));
    if (source.isNull()) {
        return Fail(std::string("cannot read ") + argv[1]);
    }
    if (source.width() != source.height()) {
        return Fail(std::string(argv[1]) + " is not square");
    }
    // Averaging premultiplied pixels keeps the colour of transparent pixels
    // out of the shrunk edges.
    source = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const std::filesystem::path folder = argv[2];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return Fail(folder.string() + ": " + error.message());
    }
    for (int i = 3; i < argc; ++i) {
        const std::string_view text = argv[i];
        int size = 0;
        const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), size);
        if (failure != std::errc() || end != text.data() + text.size() || size < 1 ||
            size > source.width()) {
            return Fail("size " + std::string(text) + " is not between 1 and " +
                        std::to_string(source.width()));
        }
        const QImage scaled =
            source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
        // A copy of the bare pixels: the source's text chunks (its editor's
        // time stamps) stay behind; its colour space goes along.
        QImage icon =
            QImage(scaled.constBits(), size, size, scaled.bytesPerLine(), QImage::Format_ARGB32)
                .copy();
        icon.setColorSpace(scaled.colorSpace());
        const std::filesystem::path file =
            folder / (std::to_string(size) + "x" + std::to_string(size) + ".png");
        if (!icon.save(QString::fromStdString(file.string()), "PNG")) {
            return Fail("cannot write " + file.string());
        }
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    return Run(argc, argv);
}
