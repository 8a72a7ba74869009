#pragma once

// Files made at test time by the ffmpeg and sox command lines from an espeak-ng voice, and
// their decoding by the ffmpeg command line as the reference.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "support/test_files.h"

namespace marvolin::testing {

inline bool ToolExists(const std::string& tool) {
    return std::system(("command -v " + tool + " >/dev/null 2>&1").c_str()) == 0;
}

inline bool RunQuietly(const std::string& command) {
    return std::system((command + " >/dev/null 2>&1").c_str()) == 0;
}

inline bool HaveMediaTools() {
    return ToolExists("espeak-ng") && ToolExists("sox") && ToolExists("ffmpeg") &&
           ToolExists("ffprobe");
}

inline std::string CommandOutput(const std::string& command) {
    std::string text;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return text;
    }
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        text.append(buffer, got);
    }
    pclose(pipe);
    return text;
}

// One stream property by ffprobe ("channels", "sample_rate").
inline int ProbeStream(const std::string& path, const std::string& entry) {
    return std::atoi(CommandOutput("ffprobe -v error -select_streams a:0 -show_entries stream=" +
                                   entry + " -of default=nw=1:nk=1 '" + path + "'")
                         .c_str());
}

// The ffmpeg command line's decoding of every channel as doubles, mixed here to the mean of
// the channels at 32768 per full scale, rounded to nearest with ties to even.
inline std::vector<std::int16_t> ReferenceMono(const std::string& path) {
    const int channels = ProbeStream(path, "channels");
    const std::string raw = path + ".f64";
    std::vector<std::int16_t> mono;
    if (channels <= 0 ||
        !RunQuietly("ffmpeg -v error -y -i '" + path + "' -f f64le '" + raw + "'")) {
        return mono;
    }
    const std::vector<std::uint8_t> bytes = ReadBytes(raw);
    const std::size_t frames = bytes.size() / 8 / static_cast<std::size_t>(channels);
    for (std::size_t f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) {
            double value;
            std::memcpy(&value, bytes.data() + (f * channels + c) * 8, 8);
            sum += value;
        }
        const double scaled = std::nearbyint(sum / channels * 32768.0);
        mono.push_back(static_cast<std::int16_t>(scaled > 32767    ? 32767
                                                 : scaled < -32768 ? -32768
                                                                   : scaled));
    }
    return mono;
}

// The largest normalised cross-correlation of b against a over shifts up to maxLag.
inline double BestCorrelation(const std::vector<std::int16_t>& a,
                              const std::vector<std::int16_t>& b, int maxLag,
                              int* bestLag = nullptr) {
    double best = -1;
    for (int lag = -maxLag; lag <= maxLag; lag += 1) {
        double ab = 0, aa = 0, bb = 0;
        for (std::size_t i = 0; i < a.size(); i += 2) {
            const long long j = static_cast<long long>(i) + lag;
            if (j < 0 || j >= static_cast<long long>(b.size())) {
                continue;
            }
            ab += static_cast<double>(a[i]) * b[j];
            aa += static_cast<double>(a[i]) * a[i];
            bb += static_cast<double>(b[j]) * b[j];
        }
        const double r = aa > 0 && bb > 0 ? ab / std::sqrt(aa * bb) : 0;
        if (r > best) {
            best = r;
            if (bestLag != nullptr) {
                *bestLag = lag;
            }
        }
    }
    return best;
}

}  // namespace marvolin::testing
