#include "screen/resource_bitmaps.h"

#include "resources/bitmap_resources.h"
#include "screen/bitmap_decoder.h"

namespace marvolin::screen {
namespace {

std::optional<Surface> DecodeProgramResource(int id) {
    const auto bytes = resources::BitmapResource(id);
    if (bytes.empty()) {
        return std::nullopt;
    }
    DecodedBitmap decoded = DecodeBitmap(bytes);
    if (!decoded.ok()) {
        return std::nullopt;
    }
    return std::move(decoded.surface);
}

ResourceBitmapLoader currentLoader = &DecodeProgramResource;

}  // namespace

std::optional<Surface> LoadResourceBitmap(int id) {
    return currentLoader(id);
}

ResourceBitmapLoader ReplaceResourceBitmapLoader(ResourceBitmapLoader loader) {
    const ResourceBitmapLoader previous = currentLoader;
    currentLoader = loader != nullptr ? loader : &DecodeProgramResource;
    return previous;
}

}  // namespace marvolin::screen
