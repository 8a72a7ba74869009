#include "formats/channel_mixdown.h"

#include <cmath>
#include <cstring>

namespace marvolin::formats {
namespace {

template <typename T>
T Load(const std::uint8_t* bytes) {
    T value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::size_t BytesOf(MixSampleType type) {
    switch (type) {
        case MixSampleType::Unsigned8:
            return 1;
        case MixSampleType::Signed16:
            return 2;
        case MixSampleType::Signed32:
        case MixSampleType::Float32:
            return 4;
        case MixSampleType::Signed64:
        case MixSampleType::Float64:
            return 8;
    }
    return 1;
}

// An integer sample in 1/65536ths of a 16-bit step.
std::int64_t IntegerSample(MixSampleType type, const std::uint8_t* bytes) {
    switch (type) {
        case MixSampleType::Unsigned8:
            return (std::int64_t{bytes[0]} - 128) * (std::int64_t{1} << 24);
        case MixSampleType::Signed16:
            return std::int64_t{Load<std::int16_t>(bytes)} * 65536;
        case MixSampleType::Signed32:
            return Load<std::int32_t>(bytes);
        case MixSampleType::Signed64:
            return Load<std::int64_t>(bytes) >> 32;
        default:
            return 0;
    }
}

double FloatSample(MixSampleType type, const std::uint8_t* bytes) {
    return type == MixSampleType::Float32 ? double{Load<float>(bytes)} : Load<double>(bytes);
}

std::int16_t Clamp(std::int64_t value) {
    return static_cast<std::int16_t>(value < -32768 ? -32768 : value > 32767 ? 32767 : value);
}

// sum / divisor (divisor > 0) to the nearest integer, ties to even.
std::int64_t DivideRounded(std::int64_t sum, std::int64_t divisor) {
    std::int64_t quotient = sum / divisor;
    std::int64_t remainder = sum % divisor;
    if (remainder < 0) {
        remainder += divisor;
        --quotient;
    }
    if (2 * remainder > divisor || (2 * remainder == divisor && (quotient & 1) != 0)) {
        ++quotient;
    }
    return quotient;
}

std::int16_t RoundFloat(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    if (value <= -32768.0) {
        return -32768;
    }
    if (value >= 32767.0) {
        return 32767;
    }
    return static_cast<std::int16_t>(std::nearbyint(value));
}

}  // namespace

void MixDown(const MixInput& input, std::int16_t* out) {
    const std::size_t width = BytesOf(input.type);
    const auto channels = static_cast<std::size_t>(input.channels);
    const bool isFloat =
        input.type == MixSampleType::Float32 || input.type == MixSampleType::Float64;
    // Where channel c of frame f lies.
    auto at = [&](std::size_t frame, std::size_t channel) {
        return input.planar ? input.planes[channel] + frame * width
                            : input.planes[0] + (frame * channels + channel) * width;
    };
    const auto divisor = static_cast<std::int64_t>(channels) * 65536;
    for (std::size_t frame = 0; frame < input.frames; ++frame) {
        if (isFloat) {
            double sum = 0;
            for (std::size_t channel = 0; channel < channels; ++channel) {
                sum += FloatSample(input.type, at(frame, channel));
            }
            out[frame] = RoundFloat(sum / static_cast<double>(channels) * 32768.0);
        } else {
            std::int64_t sum = 0;
            for (std::size_t channel = 0; channel < channels; ++channel) {
                sum += IntegerSample(input.type, at(frame, channel));
            }
            out[frame] = Clamp(DivideRounded(sum, divisor));
        }
    }
}

}  // namespace marvolin::formats
