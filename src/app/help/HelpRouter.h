#pragma once

#include <QObject>
#include <QStringList>
#include <QUrl>
#include <memory>

#include "app/help/HelpWindow.h"
#include "app/help/TopicIndex.h"

namespace moravel {

// Opens pages of the user manual by topic name in the program's help window.
// The manual's pages are compiled in under ":/manual"; a topic is a page's file
// name without ".htm" (see HelpTopics.h for the names the program uses).
// The router owns one HelpWindow, created at the first request and then shown,
// raised and activated on every request. GUI thread only.
class HelpRouter : public QObject {
    Q_OBJECT

public:
    explicit HelpRouter(QObject* parent = nullptr);
    ~HelpRouter() override;

    // Opens the page topic + ".htm"; the name is matched without regard to case
    // ("Soundcard_Settings" and "Soundcard_settings" open the same page) and may
    // carry the ".htm" extension. An unknown topic opens the contents page with
    // the notice: Help topic "X" was not found.  Returns whether the topic was found.
    bool ShowTopic(const QString& topic);
    // Opens the contents page ("Help Index").
    void ShowContents();
    // The topic's page as a "qrc:/manual/..." URL, empty if the topic is unknown.
    QUrl TopicUrl(const QString& topic) const;
    // Every page name the router can open (help-button topics, the contents
    // page "index" and the web pages), sorted without regard to case.
    QStringList Topics() const;
    // The help window; nullptr until the first ShowTopic or ShowContents.
    HelpWindow* Window() const { return window_.get(); }

private:
    // Creates the window if needed, shows url in it with the notice, and brings it to the front.
    void Present(const QUrl& url, const QString& notice);

    TopicIndex index_;
    std::unique_ptr<HelpWindow> window_;
};

}  // namespace moravel
