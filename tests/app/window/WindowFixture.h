// A main window on the virtual soundcard with the stepping clock: the test
// moves card time and every block that comes due runs the window's real
// cycle. The stopwatch runs on card time too, so "Available" measures card
// time between blocks. Messages are recorded instead of shown.
#pragma once

#include "../TempFolder.h"
#include "audio/EnhWave.h"
#include "app/window/MainForm.h"
#include "app/window/WaveDeviceController.h"
#include "audio/virtual/VirtualCard.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QStringList>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace moravel::testing {

/// The [MIXER] section of a soundcard whose lines are all assigned.
inline const char* const kConfiguredMixer =
    "[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=2\nMicrophone_In=0\nLine_In=1\nWave_In=2\n";

class WindowFixture {
public:
    /// `settings`: the settings file's initial text (written when non-empty).
    /// `source`: what the card captures (empty: the synthetic receiver).
    /// `adjust`: changes the window's options before it is made.
    explicit WindowFixture(const std::string& settings = kConfiguredMixer, const std::string& file = {},
                           SourceFactory source = {}, int spectrogramColumns = 4096,
                           const std::function<void(MainFormOptions&)>& adjust = {})
        : path_(file.empty() ? folder_.File("moravel.ini") : file) {
        if (!settings.empty()) WriteText(path_, settings);
        VirtualCardOptions cardOptions;
        cardOptions.clock = ClockMode::Stepping;
        cardOptions.keepPlayedSamples = true;
        cardOptions.source = std::move(source);
        card_ = std::make_unique<VirtualCard>(cardOptions);
        MainFormOptions options;
        options.backend = card_.get();
        options.settingsFile = path_;
        options.showMessage = [this](const QString& caption, const QString& text) {
            messages_ << caption + ": " + text;
        };
        options.chooseFile = [this](QWidget*, const FileDialogRequest& request) {
            dialogs_.push_back(request);
            return answers_.isEmpty() ? QString() : answers_.takeFirst();
        };
        VirtualCard* card = card_.get();
        options.stopwatchCounter = [card] { return static_cast<std::int64_t>(card->Now().count()); };
        options.cpuStatFile = cpuStat_;
        options.spectrogramColumns = spectrogramColumns;
        if (adjust) adjust(options);
        form_ = std::make_unique<MainForm>(options);
    }

    ~WindowFixture() {
        form_.reset();
        QCoreApplication::sendPostedEvents();
    }

    /// The first activation: palette, priority, sampling started.
    void Start() {
        form_->FormActivate();
        QCoreApplication::sendPostedEvents();
    }

    /// Runs `ms` milliseconds of card time, block by block, with the 100 ms
    /// display timer ticking in between as the event loop would run it.
    void Run(int ms) {
        for (int done = 0; done < ms; done += 100) {
            card_->RunFor(std::chrono::milliseconds(std::min(100, ms - done)));
            form_->Devices().DisplayTick();
        }
    }

    MainForm& Form() { return *form_; }
    VirtualCard& Card() { return *card_; }
    const std::string& SettingsPath() const { return path_; }
    const QStringList& Messages() const { return messages_; }
    /// The next file dialog returns `name` ("" as if cancelled); dialogs
    /// without an answer are cancelled.
    void AnswerDialog(const QString& name) { answers_ << name; }
    /// Every file dialog the window asked for, in order.
    const std::vector<FileDialogRequest>& Dialogs() const { return dialogs_; }
    TempFolder& Folder() { return folder_; }
    void SetCpuStat(const std::string& text) { WriteText(cpuStat_, text); }

    template <typename T>
    T* Find(const char* name) {
        T* widget = form_->findChild<T*>(QString::fromLatin1(name));
        if (widget == nullptr) throw std::runtime_error(std::string("no control named ") + name);
        return widget;
    }

    /// A user's choice in a combo box: select, then the combo's handler.
    void Choose(const char* combo, int index) {
        auto* box = Find<QComboBox>(combo);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }

    /// A user's click on a button (toggles a speed button).
    void Click(const char* button) { Find<QAbstractButton>(button)->click(); }

private:
    TempFolder folder_;
    std::string path_;
    std::string cpuStat_ = folder_.File("stat");
    std::unique_ptr<VirtualCard> card_;
    std::unique_ptr<MainForm> form_;
    QStringList messages_;
    QStringList answers_;
    std::vector<FileDialogRequest> dialogs_;
};

}  // namespace moravel::testing
