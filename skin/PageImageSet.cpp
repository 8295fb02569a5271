#include "skin/PageImageSet.h"

#include "skin/SkinFiles.h"

namespace pelmar {

namespace {

const LookImages& PageLooks(Page page) {
    switch (page) {
        case Page::Advanced:
            return skin_images::kAdvancedPage;
        case Page::Colour:
            return skin_images::kColourPage;
        case Page::Main:
            break;
    }
    return skin_images::kMainPage;
}

}  // namespace

PageImageSet LoadPageImages(SkinImageCache& cache, const std::filesystem::path& skinFolder,
                            Page page) {
    const LookImages& looks = PageLooks(page);
    return {cache.Get(skinFolder / looks.normal), cache.Get(skinFolder / looks.over),
            cache.Get(skinFolder / looks.down)};
}

}  // namespace pelmar
