#pragma once

#include <optional>
#include <string>

#include "formats/ffmpeg_encoder.h"

namespace marvolin::cli {

// Where one result is written and in which type.
struct OutputTarget {
    std::string path;  // "-" for standard output
    formats::SaveFormat format = formats::SaveFormat::Wav;

    bool toStandardOutput() const { return path == "-"; }
};

// A name worked out, or why it cannot be written.
struct OutputNaming {
    std::optional<OutputTarget> target;
    std::string problem;
};

// The result for an output name: the type comes from `forced`, else from the extension of the
// name's last component; a last component without extension gets the type's extension (".wav"
// unless forced). An empty name, a folder, an extension no writer takes and an existing file
// that is no regular file (a device, a pipe) are refused.
OutputNaming NameOutput(const std::string& name, std::optional<formats::SaveFormat> forced);

// The result for `input` in `folder`: the input's name with the type's extension.
OutputNaming NameInFolder(const std::string& folder, const std::string& input,
                          std::optional<formats::SaveFormat> forced);

}  // namespace marvolin::cli
