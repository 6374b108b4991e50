// The status strip ("Panel4") at the right of the settings pages: the output
// level meter, the CPU meter and the two indicator lights. The lights' accessible
// names say whether they are on (SetLightName); the meters speak their level
// (AccessibleValues.h). Below the lights, the soundcard's state: empty
// while the card works, "Soundcard lost" while it is gone and being reopened.
#pragma once

#include "app/pipeline/DeviceWatch.h"

#include <QFrame>
#include <QString>

class QLabel;

namespace moravel {

class DbMeter;

class StatusStrip : public QFrame {
public:
    explicit StatusStrip(QWidget* parent);

    /// Shows the soundcard's state in `soundcardStateLabel`; while the devices
    /// are missing or lost its tooltip also names `devices` (which ones the
    /// program tries to open), when given. GUI thread only.
    void ShowSoundcard(DeviceWatch::State state, const QString& devices = {});

    // Object names in quotes, by which the tests and the accessible texts
    // find the parts.
    DbMeter* audioMeter = nullptr;          // "VUAudio": the output level
    DbMeter* cpuMeter = nullptr;            // "VUCpu"
    QLabel* bufferErrorLight = nullptr;     // "Static2": "Buffer Error"
    QLabel* recordingLight = nullptr;       // "Static3": "Recording"
    QLabel* soundcardStateLabel = nullptr;  // "SoundcardState"
};

}  // namespace moravel
