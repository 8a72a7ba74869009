#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace marvolin::effects {

// A rectangular room with a listener and a sound source; lengths in decimetres.
struct RoomRecord {
    std::uint16_t length;                       // along x: walls at x = 0 and x = length
    std::uint16_t width;                        // along y: walls at y = 0 and y = width
    std::uint16_t height;                       // counts only for the volume and the wall areas
    std::array<std::uint8_t, 4> wallMaterials;  // walls y = 0, y = width, x = 0, x = length
    std::uint16_t listenerX;
    std::uint16_t listenerY;
    std::uint16_t sourceX;
    std::uint16_t sourceY;
    std::uint16_t directivityAngle;  // in half degrees
    bool directional;
};

inline constexpr RoomRecord kLargeHall{100, 60, 40, {8, 8, 8, 8}, 20, 20, 20, 50, 230, true};
inline constexpr RoomRecord kLongNarrowRoom{10, 810, 100, {10, 10, 10, 10}, 0, 0, 0, 7, 331, true};
inline constexpr RoomRecord kSmallTiledRoom{20, 60, 20, {9, 9, 9, 11}, 20, 10, 20, 10, 230, true};

// The sound reaches the listener directly and by one reflection on each wall.
enum SoundPath : std::size_t { kDirectPath, kWallY0, kWallYWidth, kWallX0, kWallXLength };
inline constexpr std::size_t kSoundPathCount = 5;

struct RoomResponse {
    std::array<float, kSoundPathCount> distances;       // metres
    std::array<std::uint64_t, kSoundPathCount> delays;  // samples
    std::array<double, kSoundPathCount> gains;
    float reverberationTime;  // seconds
    std::uint64_t tail;       // samples of reverberation after the latest reflection
    double feedbackScale;     // how much of the comb filters' output returns
};

// The paths, their delays and gains (weighted by the source's direction where the room says
// so), and the reverberation that the room's volume and wall absorption give.
RoomResponse ComputeRoomResponse(const RoomRecord& room, std::uint32_t sampleRate);

}  // namespace marvolin::effects
