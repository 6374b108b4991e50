#include "HelpTopics.h"

namespace moravel {

const QStringList& HelpButtonTopics() {
    static const QStringList topics = {
        QStringLiteral("Soundcard_settings"), QStringLiteral("Audio_settings"),
        QStringLiteral("Spectrum_settings"),  QStringLiteral("Spectrogram_settings"),
        QStringLiteral("Filter_function"),    QStringLiteral("Frequency_shift_function"),
        QStringLiteral("Compress_function"),  QStringLiteral("Expand_function"),
        QStringLiteral("Equalizer_function"), QStringLiteral("Sound_player"),
        QStringLiteral("Sound_recorder"),     QStringLiteral("The_Spectrogram_plot"),
        QStringLiteral("The_Spectrum_plot"),
    };
    return topics;
}

}  // namespace moravel
