#include "common/SoundcardChoices.h"

#include "common/SoundcardLayout.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <sstream>

namespace moravel {

namespace {

const DestinationNames& NamesOf(const MixerNames& names, LineKey key) {
    return DestinationOf(key) == 0 ? names.playback : names.recording;
}

std::vector<std::string> Words(const std::string& name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::istringstream stream(lower);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

// How well `name` matches one of `keywords`: 3 it is the word, 2 it begins
// with it, 1 it holds it, 0 not at all.
int MatchRank(const std::string& name, const std::vector<std::string>& keywords) {
    const std::vector<std::string> words = Words(name);
    int rank = 0;
    for (std::size_t i = 0; i < words.size(); ++i)
        for (const std::string& keyword : keywords)
            if (words[i] == keyword) rank = std::max(rank, words.size() == 1 ? 3 : i == 0 ? 2 : 1);
    return rank;
}

const std::vector<std::string>& KeywordsOf(LineKey key) {
    static const std::vector<std::string> kMicrophone = {"microphone", "mic"};
    static const std::vector<std::string> kLine = {"line"};
    static const std::vector<std::string> kWave = {"wave", "pcm"};
    switch (key) {
        case LineKey::Microphone_Out:
        case LineKey::Microphone_In:
            return kMicrophone;
        case LineKey::Line_Out:
        case LineKey::Line_In:
            return kLine;
        case LineKey::Wave_Out:
        case LineKey::Wave_In:
            break;
    }
    return kWave;
}

// The best-matching source of the key's destination, or kNoLine.
std::int32_t BestMatch(const std::vector<std::string>& sources, LineKey key) {
    std::int32_t best = kNoLine;
    int bestRank = 0;
    for (std::size_t i = 0; i < sources.size(); ++i) {
        const int rank = MatchRank(sources[i], KeywordsOf(key));
        if (rank > bestRank) bestRank = rank, best = static_cast<std::int32_t>(i);
    }
    return best;
}

constexpr std::array<LineKey, 6> kKeys = {LineKey::Microphone_Out, LineKey::Line_Out, LineKey::Wave_Out,
                                          LineKey::Microphone_In,  LineKey::Line_In,  LineKey::Wave_In};

}  // namespace

std::vector<std::string> ChoiceItems(const MixerNames& names, LineKey key) {
    if (!names.usable) return {};
    const DestinationNames& destination = NamesOf(names, key);
    std::vector<std::string> items = destination.sources;
    if (OwnLineStandsIn(static_cast<int>(items.size())) && OwnLineOffered(key)) items.push_back(destination.own);
    if (key != LineKey::Wave_Out) items.push_back(kNotAvailableText);
    return items;
}

LineAssignment PreselectedLines(const MixerNames& names) {
    LineAssignment lines;
    if (!names.usable) return lines;
    for (LineKey key : kKeys) {
        const DestinationNames& destination = NamesOf(names, key);
        if (!OwnLineStandsIn(static_cast<int>(destination.sources.size())))
            SetLine(lines, key, BestMatch(destination.sources, key));
        else if (key == LineKey::Wave_Out || key == LineKey::Microphone_In)
            SetLine(lines, key, 0);
    }
    return lines;
}

}  // namespace moravel
