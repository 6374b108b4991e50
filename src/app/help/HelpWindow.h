#pragma once

#include <QUrl>
#include <QWidget>
#include <functional>

class QLabel;
class QTextBrowser;
class QToolButton;

namespace moravel {

// The program's help window: a top-level window titled "Moravel Help" that
// shows manual pages in a QTextBrowser (objectName "HelpBrowser") with Back,
// Forward and Contents buttons and a one-line notice above the page.
// Links inside the manual open in the window itself; http, https and mailto
// links go to the system's browser or mail program. GUI thread only.
class HelpWindow : public QWidget {
    Q_OBJECT

public:
    // Opens an external link; returns whether it was opened.
    using ExternalOpener = std::function<bool(const QUrl&)>;

    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the page at url (a "qrc:" URL, optionally with a #fragment).
    // Navigating to another page hides the notice.
    void ShowPage(const QUrl& url);
    // Shows, raises and activates the window. While another modal window is
    // open (the soundcard dialog asking for its help page), the help window is
    // made modal above it, as a window blocked by a modal dialog could be
    // neither scrolled nor closed; otherwise it is an ordinary window.
    void Present();
    // Page shown by the Contents button.
    void SetContentsUrl(const QUrl& url);
    // Shows text above the page until the next navigation; empty text hides it.
    void SetNotice(const QString& text);
    // The notice as shown, empty while hidden.
    QString Notice() const;
    // Replaces the opener of external links (QDesktopServices::openUrl by default).
    void SetExternalOpener(ExternalOpener opener);
    QTextBrowser* Browser() const { return browser_; }

private:
    void BuildLayout();
    void ConnectControls();
    // Sets the modality Present needs; a visible window is hidden first, as Qt requires.
    void SetModality(Qt::WindowModality modality);
    // Handles a clicked link: manual pages in the window, web and mail links outside.
    void OpenLink(const QUrl& link);
    static bool IsExternal(const QUrl& url);

    QTextBrowser* browser_ = nullptr;
    QLabel* notice_ = nullptr;
    QToolButton* back_ = nullptr;
    QToolButton* forward_ = nullptr;
    QToolButton* contents_ = nullptr;
    QUrl contentsUrl_;
    ExternalOpener externalOpener_;
};

}  // namespace moravel
