#include "app/window/MainMenu.h"

#include <QAction>
#include <QMenuBar>

#include <stdexcept>
#include <string>

namespace moravel {

namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& text) {
    QAction* action = menu->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

}  // namespace

void BuildMainMenu(QMenuBar& bar) {
    bar.setObjectName(QStringLiteral("MainMenu1"));
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    addItem(file, "Exit1", QStringLiteral("Exit"))->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));

    QMenu* spectrum = bar.addMenu(QStringLiteral("Spectrum"));
    addItem(spectrum, "SpectrumSaveToFile", QStringLiteral("Save visible area to file"));
    addItem(spectrum, "SpectrumCopyToClipboard", QStringLiteral("Copy visible area to clipboard"));
    addItem(spectrum, "SpectrumPrint", QStringLiteral("Print..."));
    QMenu* spectrogram = bar.addMenu(QStringLiteral("Spectrogram"));
    addItem(spectrogram, "SpectrogramSaveToFile", QStringLiteral("Save visible area to file"));
    addItem(spectrogram, "SpectrogramCopyToClipboard", QStringLiteral("Copy visible area to clipboard"));
    addItem(spectrogram, "SpectrogramPrint", QStringLiteral("Print..."));
    addItem(spectrogram, "SpectrogramPrintPreview", QStringLiteral("Print preview"))->setVisible(false);

    QMenu* settings = bar.addMenu(QStringLiteral("&Settings"));
    addItem(settings, "ConfigureSoundcard", QStringLiteral("Configure Soundcard"));
    addItem(settings, "AudioDevices", QStringLiteral("Audio Devices..."));

    QMenu* help = bar.addMenu(QStringLiteral("&Help"));
    addItem(help, "About1", QStringLiteral("About"));
    addItem(help, "HelpIndex", QStringLiteral("Help Index"))->setShortcut(QKeySequence(Qt::Key_F1));
    help->addSeparator();
    addItem(help, "OnlineManual", QStringLiteral("Open the online manual"));
    addItem(help, "Homepage", QStringLiteral("Visit the Moravel homepage"));
    help->addSeparator();
    addItem(help, "NominateFeature", QStringLiteral("Nominate a new feature online"));
}

QAction* MenuAction(const QWidget& window, const char* name) {
    auto* action = window.findChild<QAction*>(QString::fromLatin1(name));
    if (action == nullptr) throw std::logic_error(std::string("The menu has no item ") + name);
    return action;
}

}  // namespace moravel
