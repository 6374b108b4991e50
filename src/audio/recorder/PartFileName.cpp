#include "audio/recorder/PartFileName.h"

#include <filesystem>
#include <system_error>

namespace moravel {

namespace {

namespace fs = std::filesystem;

std::string partName(const fs::path& first, int part) {
    fs::path name = first;
    name.replace_filename(first.stem().string() + "-" + std::to_string(part) + first.extension().string());
    return name.string();
}

// symlink_status: a dangling link is taken too, as writing through it would
// create a file somewhere else.
bool taken(const std::string& name) {
    std::error_code error;
    return fs::exists(fs::symlink_status(name, error));
}

}  // namespace

std::string NextPartFileName(const std::string& path, int& part) {
    std::string name;
    do name = partName(path, ++part);
    while (taken(name));
    return name;
}

}  // namespace moravel
