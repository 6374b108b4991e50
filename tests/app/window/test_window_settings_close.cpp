// Closing the window when its settings file cannot be replaced: the folder
// is read-only and the file from the last run is there. The window still
// closes, the old file keeps every byte, no temporary file is left, and the
// reason is shown to the user and goes to the standard error stream, naming
// the file.
//
// Root writes into read-only folders, so the window runs in a child process
// that has given up root (as the user "nobody").
#include "WindowFixture.h"

#include <QtTest>

#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

using moravel::testing::ReadText;
using moravel::testing::TempFolder;
using moravel::testing::WindowFixture;
using moravel::testing::WriteText;

namespace {

namespace fs = std::filesystem;

// The last run's file: CRLF line ends, a comment and an unknown key, so any
// rewrite would show.
const std::string kOldFile = std::string("; kept by hand\r\n") + moravel::testing::kConfiguredMixer +
                             "[SETTINGS]\r\nFilterOn=1\r\nWindowWidth=640\r\nSomethingElse=x\r\n";

// Child exit codes, so the parent can say what went wrong.
enum ChildResult { kClosedAndSaidSo = 0, kNoDrop = 3, kStillVisible = 4, kWrongMessage = 5, kNotShown = 6 };

// In the child: starts the window on `file`, runs it, closes it and checks
// the message shown and the line on the standard error stream.
int CloseWindowOn(const std::string& file) {
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return kNoDrop;
    std::ostringstream errors;
    std::streambuf* const old = std::cerr.rdbuf(errors.rdbuf());
    bool visible = true;
    QStringList shown;
    {
        WindowFixture window("", file);
        window.Form().show();
        window.Start();
        window.Run(500);
        window.Form().close();
        visible = window.Form().isVisible();
        shown = window.Messages();
    }
    std::cerr.rdbuf(old);
    const std::string reason = "The settings could not be saved to " + file +
                               ": Cannot create a temporary file beside " + file + ": Permission denied";
    if (visible) return kStillVisible;
    if (shown != QStringList{QString::fromStdString("Moravel: " + reason)}) {
        std::cerr << "shown: " << shown.join(" | ").toStdString() << '\n';
        return kNotShown;
    }
    if (errors.str() != "moravel: " + reason + "\n") {
        std::cerr << "message was: " << errors.str();
        return kWrongMessage;
    }
    return kClosedAndSaidSo;
}

}  // namespace

class SettingsCloseTest : public QObject {
    Q_OBJECT

private slots:
    void readOnlyFolderKeepsTheOldFileAndSaysSo() {
        TempFolder folder;
        const fs::path locked = folder.Path() / "settings";
        fs::create_directory(locked);
        const std::string file = (locked / "moravel.ini").string();
        WriteText(file, kOldFile);
        const auto readable = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                              fs::perms::others_exec | fs::perms::group_read | fs::perms::group_exec;
        fs::permissions(folder.Path(), readable | fs::perms::owner_write);
        fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
        fs::permissions(locked, readable);

        std::cout.flush();
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) ::_exit(CloseWindowOn(file));
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        fs::permissions(locked, fs::perms::owner_all);

        QVERIFY2(WIFEXITED(status), "the window's process did not end normally");
        QCOMPARE(WEXITSTATUS(status), int(kClosedAndSaidSo));
        QCOMPARE(ReadText(file), kOldFile);
        QCOMPARE(std::distance(fs::directory_iterator(locked), fs::directory_iterator()), 1L);
    }
};

QTEST_MAIN(SettingsCloseTest)
#include "test_window_settings_close.moc"
