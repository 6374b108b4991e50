// The main window on the virtual soundcard in real time, recording: starts
// like the program, presses Record once sampling runs, prints "recording"
// and goes on until it is killed. The crash test kills it with SIGKILL and
// opens what it left. With "play" it presses Play first (the player's file
// from the settings), to measure the program while it plays and records.
// Usage: record_until_killed SETTINGS_FILE [play]
#include "app/window/MainForm.h"
#include "audio/virtual/VirtualCard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    const bool play = argc == 3 && std::string(argv[2]) == "play";
    if (argc != 2 && !play) {
        std::cerr << "usage: record_until_killed SETTINGS_FILE [play]\n";
        return 2;
    }
    QApplication app(argc, argv);
    moravel::VirtualCard card;
    moravel::MainFormOptions options;
    options.backend = &card;
    options.settingsFile = argv[1];
    options.showMessage = [](const QString& caption, const QString& text) {
        std::cerr << caption.toStdString() << ": " << text.toStdString() << std::endl;
    };
    moravel::MainForm window(options);
    window.ShowAsStored();
    QTimer::singleShot(500, &window, [&window, play] {
        auto* record = window.findChild<QAbstractButton*>(QStringLiteral("sb_wave_record"));
        auto* player = window.findChild<QAbstractButton*>(QStringLiteral("sb_wave_play"));
        if (!window.State().SamplingEnabled || record == nullptr || player == nullptr) {
            std::cerr << "sampling did not start\n";
            QApplication::exit(1);
            return;
        }
        if (play) {
            player->click();
            std::cout << (player->isChecked() ? "playing" : "not playing") << std::endl;
        }
        record->click();
        std::cout << (record->isChecked() ? "recording" : "not recording") << std::endl;
    });
    return QApplication::exec();
}
