#include "mixer/alsa/AlsaPcmControl.h"

#include <sstream>
#include <vector>

namespace moravel::mixer {

namespace {

std::string CardControl(int card) { return "hw:" + std::to_string(card); }

// The comma-separated arguments after the PCM's type ("hw:1,0" -> 1, 0).
std::vector<std::string> Arguments(const std::string& pcm) {
    std::vector<std::string> arguments;
    const auto colon = pcm.find(':');
    if (colon == std::string::npos) return arguments;
    std::istringstream text(pcm.substr(colon + 1));
    for (std::string argument; std::getline(text, argument, ',');) arguments.push_back(argument);
    return arguments;
}

// The card a PCM names: its CARD= argument, else its first positional one.
std::string CardArgument(const std::string& pcm) {
    const std::vector<std::string> arguments = Arguments(pcm);
    const std::string key = "CARD=";
    for (const std::string& argument : arguments)
        if (argument.compare(0, key.size(), key) == 0) return argument.substr(key.size());
    if (!arguments.empty() && arguments.front().find('=') == std::string::npos) return arguments.front();
    return {};
}

bool IsServerPcm(const std::string& pcm) { return pcm == "pulse" || pcm.rfind("pulse:", 0) == 0; }

}  // namespace

std::string ControlOfPcm(const std::string& pcm, int defaultCard, const CardIndexOf& cardIndex) {
    if (IsServerPcm(pcm)) return pcm;
    const std::string card = pcm == "default" ? std::string() : CardArgument(pcm);
    const int index = card.empty() ? -1 : cardIndex(card);
    if (index >= 0) return CardControl(index);
    return defaultCard >= 0 ? CardControl(defaultCard) : "default";
}

}  // namespace moravel::mixer
