#include <array>

#include "resources/message_table.h"
#include "resources/panel_layout.h"
#include "screen/resource_bitmaps.h"
#include "screen/screen.h"
#include "screen/window_areas.h"

namespace marvolin::screen {
namespace {

using resources::kEffectLabelHeight;
using resources::kEffectLabelPlaces;

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
    for (int effect = 0; effect < static_cast<int>(kEffectLabelPlaces.size()); ++effect) {
        const resources::EffectLabelPlace& place = kEffectLabelPlaces[effect];
        drawn =
            Union(drawn, {place.x, place.y, place.x + place.width, place.y + kEffectLabelHeight});
        const std::optional<Surface> label =
            LoadResourceBitmap(resources::EffectLabelBitmap(category, effect));
        if (!label) {
            resources::ShowMessage(host.messageBoxes, resources::MessageId::InvalidLabelHandle);
            continue;
        }
        screen.window.Blit(place.x, place.y, *label, 0, 0, place.width, kEffectLabelHeight);
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
