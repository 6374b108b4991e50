#include "TestcardElements.h"

namespace moravel::testcard {

namespace {

ElementSpec Volume(const std::string& name, unsigned channels, long min, long max, long initial) {
    return {name + " Volume", ElementKind::Integer, channels, min, max, {}, initial};
}

ElementSpec Switch(const std::string& name, unsigned channels, bool on) {
    return {name + " Switch", ElementKind::Boolean, channels, 0, 1, {}, on ? 1 : 0};
}

ElementSpec Enumeration(const std::string& name, std::vector<std::string> items, long initial) {
    const long last = static_cast<long>(items.size()) - 1;
    return {name, ElementKind::Enumerated, 1, 0, last, std::move(items), initial};
}

// Ranges differ from element to element (and one does not start at 0) so
// that a test can tell which range a volume was scaled with.
std::vector<ElementSpec> SharedElements() {
    return {
        Volume("Master Playback", 2, 0, 31, 20), Switch("Master Playback", 2, true),
        Volume("PCM Playback", 2, 0, 255, 200),  Switch("PCM Playback", 2, true),
        Volume("Mic Playback", 1, 0, 31, 0),     Switch("Mic Playback", 1, false),
        Volume("Line Playback", 2, 0, 31, 16),   Switch("Line Playback", 2, false),
        Volume("CD Playback", 2, 0, 31, 8),      Switch("CD Playback", 2, true),
        Volume("Capture", 2, 0, 63, 40),         Switch("Capture", 2, true),
        Volume("Mic Capture", 1, 0, 3, 1),       Volume("Line Capture", 2, -20, 20, 0),
    };
}

}  // namespace

std::vector<ElementSpec> TestcardElements(const std::string& variant) {
    std::vector<ElementSpec> elements = SharedElements();
    if (variant == "enum" || variant == "boost")
        elements.push_back(Enumeration("Input Source", {"Mic", "Line", "CD", "Mix"}, 0));
    else if (variant == "switches")
        elements.push_back(Enumeration("Capture Source", {"Mic", "CD", "Line", "Mix"}, 2));
    else
        elements.clear();
    if (variant == "boost") elements.push_back(Volume("Mic Boost", 2, 0, 3, 0));
    return elements;
}

}  // namespace moravel::testcard
