// The main window on the virtual soundcard in real time, recording: starts
// like the program, presses Record once sampling runs, prints "recording"
// and goes on until it is killed. The crash test kills it with SIGKILL and
// opens what it left. Usage: record_until_killed SETTINGS_FILE
#include "MainForm.h"
#include "virtual/VirtualCard.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTimer>

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: record_until_killed SETTINGS_FILE\n";
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
    moravel::TMainForm window(options);
    window.ShowAsStored();
    QTimer::singleShot(500, &window, [&window] {
        auto* record = window.findChild<QAbstractButton*>(QStringLiteral("sb_wave_record"));
        if (!window.State().SamplingEnabled || record == nullptr) {
            std::cerr << "sampling did not start\n";
            QApplication::exit(1);
            return;
        }
        record->click();
        std::cout << (record->isChecked() ? "recording" : "not recording") << std::endl;
    });
    return QApplication::exec();
}
