#include "app/help/HelpRouter.h"

#include "app/help/HelpResources.h"
#include "app/help/HelpTopics.h"

namespace moravel {

namespace {

// Registers the resources before the index lists them.
QString RegisteredManualDir() {
    InitHelpResources();
    return ManualResourceDir();
}

QUrl ResourceUrl(const QString& path) {
    // ":/manual/x.htm" -> "qrc:/manual/x.htm"
    return path.isEmpty() ? QUrl() : QUrl(QStringLiteral("qrc") + path);
}

}  // namespace

HelpRouter::HelpRouter(QObject* parent) : QObject(parent), index_(RegisteredManualDir()) {}

HelpRouter::~HelpRouter() = default;

QUrl HelpRouter::TopicUrl(const QString& topic) const { return ResourceUrl(index_.PathFor(topic)); }

QStringList HelpRouter::Topics() const { return index_.Names(); }

bool HelpRouter::ShowTopic(const QString& topic) {
    const QUrl url = TopicUrl(topic);
    if (url.isEmpty()) {
        Present(TopicUrl(QString::fromLatin1(kContentsTopic)), tr("Help topic \"%1\" was not found.").arg(topic));
        return false;
    }
    Present(url, QString());
    return true;
}

void HelpRouter::ShowContents() { Present(TopicUrl(QString::fromLatin1(kContentsTopic)), QString()); }

void HelpRouter::Present(const QUrl& url, const QString& notice) {
    if (!window_) {
        window_ = std::make_unique<HelpWindow>();
        window_->SetContentsUrl(TopicUrl(QString::fromLatin1(kContentsTopic)));
    }
    window_->ShowPage(url);
    window_->SetNotice(notice);
    window_->Present();
}

}  // namespace moravel
