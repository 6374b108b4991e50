#include "app/window/StatusStrip.h"

#include "app/window/AccessibleNames.h"
#include "views/DbMeter.h"
#include "views/MeterInstances.h"

#include <QGridLayout>
#include <QLabel>

namespace moravel {

namespace {

// An indicator light: a sunken static text with centred lettering.
QLabel* makeLight(QWidget* parent, const char* name, const char* text) {
    auto* light = new QLabel(QString::fromLatin1(text), parent);
    light->setObjectName(QString::fromLatin1(name));
    light->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    light->setAlignment(Qt::AlignCenter);
    light->setAutoFillBackground(true);
    light->setToolTip(QStringLiteral("Indicates sampling buffer error (pc too slow)"));
    light->setFixedSize(96, 20);
    return light;
}

}  // namespace

StatusStrip::StatusStrip(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("Panel4"));
    setFrameStyle(QFrame::Panel | QFrame::Raised);
    setFixedWidth(140);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(6);

    audioMeter = new DbMeter(this);
    SetUpAsOutputLevelMeter(*audioMeter);
    cpuMeter = new DbMeter(this);
    SetUpAsCpuUsageMeter(*cpuMeter);
    grid->addWidget(new QLabel(QStringLiteral("Audio"), this), 0, 0);
    grid->addWidget(audioMeter, 0, 1, Qt::AlignLeft | Qt::AlignVCenter);
    grid->addWidget(new QLabel(QStringLiteral("CPU"), this), 1, 0);
    grid->addWidget(cpuMeter, 1, 1, Qt::AlignLeft | Qt::AlignVCenter);

    bufferErrorLight = makeLight(this, "Static2", "Buffer Error");
    recordingLight = makeLight(this, "Static3", "Recording");
    SetLightName(bufferErrorLight, bufferErrorLight->text(), false);
    SetLightName(recordingLight, recordingLight->text(), false);
    grid->addWidget(bufferErrorLight, 2, 0, 1, 2, Qt::AlignHCenter);
    grid->addWidget(recordingLight, 3, 0, 1, 2, Qt::AlignHCenter);

    soundcardStateLabel = new QLabel(this);
    soundcardStateLabel->setObjectName(QStringLiteral("SoundcardState"));
    soundcardStateLabel->setAlignment(Qt::AlignCenter);
    soundcardStateLabel->setWordWrap(true);
    grid->addWidget(soundcardStateLabel, 4, 0, 1, 2);
    grid->setRowStretch(5, 1);
    ShowSoundcard(DeviceWatch::State::Idle);
}

// Red lettering while the card is gone, so that it is seen at a glance; the
// tooltip says that nothing needs to be done.
void StatusStrip::ShowSoundcard(DeviceWatch::State state, const QString& devices) {
    const bool missing = state == DeviceWatch::State::Missing;
    const bool lost = missing || state == DeviceWatch::State::Lost || state == DeviceWatch::State::Retrying;
    soundcardStateLabel->setText(missing ? QStringLiteral("Soundcard not found")
                                 : lost  ? QStringLiteral("Soundcard lost")
                                         : QString());
    soundcardStateLabel->setStyleSheet(lost ? QStringLiteral("color: red") : QString());
    const QString which = devices.isEmpty() ? QString() : QStringLiteral(" Devices: ") + devices + QLatin1Char('.');
    soundcardStateLabel->setToolTip(
        missing ? QStringLiteral("The sound device could not be opened. Moravel tries again and starts by itself "
                                 "when it appears.") +
                      which
        : lost ? QStringLiteral("The soundcard or the sound server went away. Moravel tries to open it again and "
                                "resumes by itself when it is back.") +
                     which
               : QString());
    soundcardStateLabel->setAccessibleName(lost ? soundcardStateLabel->text() : QStringLiteral("Soundcard working"));
}

}  // namespace moravel
