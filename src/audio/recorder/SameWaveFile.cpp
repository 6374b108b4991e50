#include "audio/recorder/SameWaveFile.h"

namespace moravel {

bool IsSameWaveFile(const std::string& recorderFile, const std::string& playerFile) {
    return recorderFile == playerFile;
}

}  // namespace moravel
