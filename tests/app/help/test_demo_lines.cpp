// The two hand-written [MIXER] sections a user meets first, the demo's
// settings (scripts/demo.ini, used by scripts/run.sh and the manual's
// screenshots) and the manual's example, read against the
// virtual soundcard's real lines: each key must name the line it stands for.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>

#include <map>
#include <string>

#include "mixer/AudioMixer.h"
#include "common/LineAssignment.h"
#include "ManualText.h"
#include "mixer/setup/MixerSummary.h"
#include "mixer/simulated/SimulatedMixerService.h"

namespace moravel {
namespace {

// The virtual card's line that each key stands for ("Wave in" is the
// recording side's copy of the playback mix).
const std::map<std::string, std::string> kVirtualCardLines = {
    {"Microphone_Out", "Microphone"}, {"Line_Out", "Line In"}, {"Wave_Out", "Wave"},
    {"Microphone_In", "Microphone"},  {"Line_In", "Line In"},  {"Wave_In", "Stereo Mix"},
};

constexpr std::pair<LineKey, const char*> kKeys[] = {
    {LineKey::Microphone_Out, "Microphone_Out"}, {LineKey::Line_Out, "Line_Out"}, {LineKey::Wave_Out, "Wave_Out"},
    {LineKey::Microphone_In, "Microphone_In"},   {LineKey::Line_In, "Line_In"},   {LineKey::Wave_In, "Wave_In"},
};

// The KEY=N pairs of the first [MIXER] section in `text`.
std::map<std::string, int> MixerValues(const QString& text) {
    static const QRegularExpression pair(QStringLiteral("((?:Microphone|Line|Wave)_(?:In|Out))=(-?\\d+)"));
    std::map<std::string, int> values;
    const QString section = text.mid(text.indexOf(QStringLiteral("[MIXER]")));
    for (auto it = pair.globalMatch(section); it.hasNext();) {
        const auto match = it.next();
        values.emplace(match.captured(1).toStdString(), match.captured(2).toInt());
    }
    return values;
}

QString SourceFile(const char* path) {
    QFile file(QStringLiteral(MORAVEL_SOURCE_DIR "/") + QLatin1String(path));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void ExpectVirtualCardLines(const QString& text) {
    AudioMixer mixer(std::make_shared<mixer::SimulatedMixerService>());
    const MixerNames names = MixerNamesOf(mixer);
    ASSERT_TRUE(names.usable);
    const std::map<std::string, int> values = MixerValues(text);
    ASSERT_EQ(values.size(), 6u);
    for (const auto& [key, keyName] : kKeys) {
        const std::vector<std::string> items = ChoiceItems(names, key);
        const int index = values.at(keyName);
        ASSERT_TRUE(index >= 0 && index < static_cast<int>(items.size())) << keyName;
        EXPECT_EQ(items[index], kVirtualCardLines.at(keyName)) << keyName;
    }
}

TEST(DemoLines, DemoSettingsAssignTheVirtualCardsLines) { ExpectVirtualCardLines(SourceFile("scripts/demo.ini")); }

TEST(DemoLines, ManualExampleAssignsTheVirtualCardsLines) {
    ExpectVirtualCardLines(help_test::ReadManualFile(QStringLiteral("Soundcard_settings.htm")));
}

}  // namespace
}  // namespace moravel
