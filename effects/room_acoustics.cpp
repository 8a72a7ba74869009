#include "effects/room_acoustics.h"

#include <algorithm>
#include <cmath>

namespace marvolin::effects {
namespace {

// Absorption of each material in six frequency bands; the reverberator uses the fourth.
constexpr float kAbsorption[14][6] = {
    {0.01f, 0.01f, 0.01f, 0.02f, 0.02f, 0.03f}, {0.10f, 0.05f, 0.10f, 0.20f, 0.40f, 0.60f},
    {0.15f, 0.11f, 0.10f, 0.07f, 0.06f, 0.07f}, {0.04f, 0.04f, 0.07f, 0.06f, 0.06f, 0.07f},
    {0.03f, 0.03f, 0.03f, 0.04f, 0.05f, 0.07f}, {0.01f, 0.01f, 0.01f, 0.01f, 0.02f, 0.02f},
    {0.20f, 0.50f, 0.90f, 0.95f, 0.90f, 0.85f}, {0.02f, 0.03f, 0.03f, 0.03f, 0.03f, 0.02f},
    {0.01f, 0.01f, 0.01f, 0.01f, 0.02f, 0.02f}, {0.10f, 0.10f, 0.08f, 0.05f, 0.05f, 0.05f},
    {0.10f, 0.10f, 0.08f, 0.05f, 0.05f, 0.05f}, {0.05f, 0.10f, 0.30f, 0.50f, 0.60f, 0.65f},
    {0.15f, 0.35f, 0.55f, 0.75f, 0.70f, 0.60f}, {0.35f, 0.25f, 0.20f, 0.10f, 0.07f, 0.04f},
};
constexpr int kAbsorptionBand = 3;

constexpr float kMetresPerDecimetre = 0.1f;
constexpr float kSecondsPerMetre = 0.0029411765f;  // 1 / the speed of sound
constexpr float kMinimumDistance = 0.001f;
constexpr float kRadiansPerHalfDegree = 0.0087266462f;
constexpr float kHalfPi = 1.5707963f;
// Both one float step below the floats nearest pi and 2 pi (3.1415927f, 6.2831855f): the
// rooms' gains depend on these exact values, so they must not be tidied up or shared.
constexpr float kPi = 3.1415925f;
constexpr float kTwoPi = 6.2831850f;
constexpr float kDirectionalSlope = -0.22281693f;
constexpr float kDirectBoost = 1.5f;
constexpr float kAirAbsorption = 0.003f;
constexpr float kSabineFactor = 0.16f;
constexpr float kReverberationScale = 0.125f;
constexpr float kFeedbackConstant = 0.366f;
constexpr float kSmallestFeedbackScale = 0.001f;

float Metres(std::uint16_t decimetres) {
    return static_cast<float>(double(decimetres) * double(kMetresPerDecimetre));
}

float Absorption(std::uint8_t material) {
    return kAbsorption[material][kAbsorptionBand];
}

struct Point {
    double x;
    double y;
};

}  // namespace

RoomResponse ComputeRoomResponse(const RoomRecord& room, std::uint32_t sampleRate) {
    const float length = Metres(room.length);
    const float width = Metres(room.width);
    const float height = Metres(room.height);
    const Point listener{Metres(room.listenerX), Metres(room.listenerY)};
    const double sourceX = Metres(room.sourceX);
    const double sourceY = Metres(room.sourceY);

    // The source and its mirror images in the four walls.
    const std::array<Point, kSoundPathCount> images = {{
        {sourceX, sourceY},
        {sourceX, -sourceY},
        {sourceX, 2.0 * double(width) - sourceY},
        {-sourceX, sourceY},
        {2.0 * double(length) - sourceX, sourceY},
    }};
    std::array<float, kSoundPathCount> absorption{};
    for (std::size_t wall = 0; wall < 4; ++wall) {
        absorption[wall + 1] = Absorption(room.wallMaterials[wall]);
    }

    RoomResponse response{};
    for (std::size_t path = 0; path < kSoundPathCount; ++path) {
        const double dx = images[path].x - listener.x;
        const double dy = images[path].y - listener.y;
        float distance = static_cast<float>(std::sqrt(dx * dx + dy * dy));
        if (distance == 0.0f) {
            distance = kMinimumDistance;
        }
        response.distances[path] = distance;
        response.delays[path] = static_cast<std::uint64_t>(double(distance) * double(sampleRate) *
                                                           double(kSecondsPerMetre));
        response.gains[path] = std::sqrt(1.0 - double(absorption[path])) / double(distance);
    }

    if (room.directional) {
        const double theta = double(room.directivityAngle) * double(kRadiansPerHalfDegree);
        response.gains[kDirectPath] *= double(kDirectBoost);
        for (std::size_t path = 1; path < kSoundPathCount; ++path) {
            // The walls y = 0 and y = width reflect along y, the walls x = 0 and x = length
            // along x. Kept within asin's domain: the distance is rounded to a float.
            const bool alongY = path == kWallY0 || path == kWallYWidth;
            const double across =
                alongY ? images[path].y - listener.y : images[path].x - listener.x;
            const double sine = std::clamp(across / double(response.distances[path]), -1.0, 1.0);
            double phi = double(kHalfPi) - std::asin(sine) - theta;
            if (phi < 0.0) {
                phi += double(kTwoPi);
            }
            const double weight = 1.0 + double(kDirectionalSlope) * std::fabs(double(kPi) - phi);
            response.gains[path] *= weight * weight;
        }
    }

    const double volume = double(width) * double(length) * double(height);
    const double absorptionArea =
        double(height) *
        ((double(absorption[kWallX0]) + double(absorption[kWallXLength])) * double(width) +
         (double(absorption[kWallY0]) + double(absorption[kWallYWidth])) * double(length));
    response.reverberationTime =
        static_cast<float>(volume / (absorptionArea + double(kAirAbsorption) * volume) *
                           double(kSabineFactor) * double(kReverberationScale));
    response.tail =
        static_cast<std::uint64_t>(double(sampleRate) * double(response.reverberationTime));

    const double feedback =
        1.0 - double(kFeedbackConstant) / (4.0 * double(response.reverberationTime));
    response.feedbackScale = feedback > 0.0 ? feedback : double(kSmallestFeedbackScale);
    return response;
}

}  // namespace marvolin::effects
