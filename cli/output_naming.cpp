#include "cli/output_naming.h"

#include <sys/stat.h>

#include <filesystem>

namespace marvolin::cli {
namespace {

namespace fs = std::filesystem;

std::string ExtensionOf(formats::SaveFormat format) {
    return "." + std::string(formats::EntryOf(format).extension);
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Writing replaces the file with a new one; a device or a pipe must not be replaced that way.
bool ExistsButIsNoRegularFile(const std::string& path) {
    struct stat status {};
    return ::stat(path.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

OutputNaming Refused(std::string problem) {
    OutputNaming naming;
    naming.problem = std::move(problem);
    return naming;
}

}  // namespace

OutputNaming NameOutput(const std::string& name, std::optional<formats::SaveFormat> forced) {
    if (name == "-") {
        return {OutputTarget{name, forced.value_or(formats::SaveFormat::Wav)}, {}};
    }
    if (name.empty()) {
        return Refused("the output name is empty");
    }
    const fs::path lastComponent = fs::path(name).filename();
    if (lastComponent.empty() || lastComponent == "." || lastComponent == ".." || IsFolder(name)) {
        return Refused(name + ": is a folder; name a file (or use -d FOLDER)");
    }
    OutputTarget target{name, forced.value_or(formats::SaveFormat::Wav)};
    const std::string extension = lastComponent.extension().string();
    if (extension.empty()) {
        target.path += ExtensionOf(target.format);
    } else if (!forced) {
        const auto format = formats::SaveFormatForExtension(extension.substr(1));
        if (!format) {
            return Refused(name + ": cannot write \"" + extension +
                           "\" files (wav, opus, mp3, flac, ogg, m4a; or force one with -t)");
        }
        target.format = *format;
    }
    if (IsFolder(target.path)) {
        return Refused(target.path + ": is a folder; name a file (or use -d FOLDER)");
    }
    if (ExistsButIsNoRegularFile(target.path)) {
        return Refused(target.path + ": is not a regular file; it is not replaced");
    }
    return {target, {}};
}

OutputNaming NameInFolder(const std::string& folder, const std::string& input,
                          std::optional<formats::SaveFormat> forced) {
    const formats::SaveFormat format = forced.value_or(formats::SaveFormat::Wav);
    const fs::path stem = fs::path(input).stem();
    return NameOutput((fs::path(folder) / stem).string() + ExtensionOf(format), format);
}

}  // namespace marvolin::cli
