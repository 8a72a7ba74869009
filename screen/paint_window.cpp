#include <array>

#include "resources/bitmap_resources.h"
#include "resources/message_table.h"
#include "screen/resource_bitmaps.h"
#include "screen/screen.h"
#include "screen/window_areas.h"

namespace marvolin::screen {
namespace {

struct LabelPlace {
    int x;
    int y;
    int width;
};
constexpr std::array<LabelPlace, 5> kLabelPlaces{{
    {326, 280, 115},
    {347, 309, 100},
    {355, 341, 130},
    {349, 375, 120},
    {326, 403, 140},
}};
constexpr int kLabelHeight = 16;

}  // namespace

void PaintWindow(Screen& screen, ScreenHost& host, const formats::SoundBuffer& sound,
                 std::uint16_t category) {
    const PaintingScope painting(screen);
    RestoreFromPicture(screen, {0, 0, kWindowWidth, kWindowHeight});
    DrawWaveform(screen, host, sound);
    DrawEffectLabels(screen, host, category);
}

void DrawEffectLabels(Screen& screen, ScreenHost& host, std::uint16_t category) {
    Rect drawn{};
    for (int effect = 0; effect < static_cast<int>(kLabelPlaces.size()); ++effect) {
        const LabelPlace& place = kLabelPlaces[effect];
        drawn = Union(drawn, {place.x, place.y, place.x + place.width, place.y + kLabelHeight});
        const std::optional<Surface> label =
            LoadResourceBitmap(resources::kFirstEffectLabel + 5 * int{category} + effect);
        if (!label) {
            resources::ShowMessage(host.messageBoxes, resources::MessageId::InvalidLabelHandle);
            continue;
        }
        screen.window.Blit(place.x, place.y, *label, 0, 0, place.width, kLabelHeight);
    }
    Present(screen, host, drawn);
}

void DrawBitmap(Screen& screen, ScreenHost& host, std::uint16_t id, int x, int y, int width,
                int height) {
    const std::optional<Surface> bitmap = LoadResourceBitmap(id);
    if (!bitmap) {
        return;
    }
    screen.window.Blit(x, y, *bitmap, 0, 0, width, height);
    const Rect shown = ClipToWindow({x, y, x + width, y + height});
    if (!IsEmpty(shown)) {
        Present(screen, host, shown);
    }
}

}  // namespace marvolin::screen
