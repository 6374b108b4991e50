#include "app/help/TopicIndex.h"

#include <QDir>

namespace moravel {

namespace {
const QString kPageSuffix = QStringLiteral(".htm");
}

TopicIndex::TopicIndex(const QString& dir) : dir_(dir) {
    const QStringList files = QDir(dir).entryList({QStringLiteral("*.htm")}, QDir::Files);
    for (const QString& file : files) pages_.insert(Key(file), file);
}

QString TopicIndex::Key(const QString& topic) {
    QString key = topic.trimmed();
    if (key.endsWith(kPageSuffix, Qt::CaseInsensitive)) key.chop(kPageSuffix.size());
    return key.toLower();
}

QString TopicIndex::PageFor(const QString& topic) const { return pages_.value(Key(topic)); }

QString TopicIndex::PathFor(const QString& topic) const {
    const QString page = PageFor(topic);
    return page.isEmpty() ? QString() : dir_ + QLatin1Char('/') + page;
}

QStringList TopicIndex::Names() const {
    QStringList names;
    for (const QString& file : pages_) names.append(file.chopped(kPageSuffix.size()));
    names.sort(Qt::CaseInsensitive);
    return names;
}

}  // namespace moravel
