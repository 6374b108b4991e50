#include "BenchWindow.h"

#include <QApplication>

#include <filesystem>
#include <fstream>

namespace moravel::bench {
namespace {

std::string writeSettings(const std::string& fileName, const std::string& settingsKeys) {
    const std::string path = (std::filesystem::temp_directory_path() / fileName).string();
    std::ofstream(path) << "[MIXER]\nMicrophone_Out=0\nLine_Out=1\nWave_Out=2\nMicrophone_In=0\nLine_In=1\n"
                           "Wave_In=2\n[SETTINGS]\n"
                        << settingsKeys;
    return path;
}

VirtualCardOptions steppingCard() {
    VirtualCardOptions options;
    options.clock = ClockMode::Stepping;
    return options;
}

MainFormOptions windowOn(VirtualCard& card, const std::string& settings) {
    MainFormOptions options;
    options.backend = &card;
    options.settingsFile = settings;
    options.showMessage = [](const QString&, const QString&) {};
    return options;
}

}  // namespace

void EnsureApplication() {
    if (QApplication::instance() != nullptr) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // QApplication keeps references to these for its whole life.
    static int argc = 1;
    static char name[] = "moravel_bench";
    static char* argv[] = {name};
    new QApplication(argc, argv);
}

BenchWindow::BenchWindow(const std::string& fileName, const std::string& settingsKeys)
    : settings_(writeSettings(fileName, settingsKeys)), card_(steppingCard()), form_(windowOn(card_, settings_)) {
    form_.show();
    QCoreApplication::processEvents();
    form_.FormActivate();
}

BenchWindow::~BenchWindow() {
    form_.close();
    std::filesystem::remove(settings_);
}

}  // namespace moravel::bench
