// Helpers of the window's mixer and device tests: answering the modal
// soundcard and "Audio Devices" dialogs from the event loop, and waiting for
// something the event loop brings.
//
// Threads: GUI thread only.
#pragma once

#include "mixer/setup/MixerSetupDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace moravel::testing {

/// Answers the next soundcard dialog when it shows: `act` on it, then OK.
class DialogAnswer {
public:
    explicit DialogAnswer(std::function<void(MixerSetupDialog&)> act = {}) : act_(std::move(act)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<MixerSetupDialog*>(widget);
                if (dialog == nullptr || !dialog->isVisible()) continue;
                poll_.stop();
                ++shown;
                if (act_) act_(*dialog);
                dialog->okButton->click();
                return;
            }
        });
        poll_.start(5);
    }
    int shown = 0;

private:
    std::function<void(MixerSetupDialog&)> act_;
    QTimer poll_;
};

/// Answers the next "Audio Devices" dialog when it shows: selects `input`
/// and `output` by their PCM names, then OK.
class DevicesDialogAnswer {
public:
    DevicesDialogAnswer(const QString& input, const QString& output) {
        QObject::connect(&poll_, &QTimer::timeout, [this, input, output] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (widget->objectName() != QStringLiteral("AudioDevicesDialog") || !widget->isVisible()) continue;
                poll_.stop();
                for (const auto& [name, id] :
                     {std::pair{"ComboInputDevice", input}, std::pair{"ComboOutputDevice", output}}) {
                    auto* combo = widget->findChild<QComboBox*>(QString::fromLatin1(name));
                    combo->setCurrentIndex(combo->findData(id));
                }
                answered = true;
                widget->findChild<QPushButton*>(QStringLiteral("ButtonOK"))->click();
                return;
            }
        });
        poll_.start(5);
    }
    bool answered = false;

private:
    QTimer poll_;
};

/// Runs the event loop until `done` holds, at most `ms` milliseconds.
inline bool waitFor(const std::function<bool()>& done, int ms = 2000) {
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return done();
}

}  // namespace moravel::testing
