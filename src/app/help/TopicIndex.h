#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace moravel {

// Maps topic names to the ".htm" pages of a folder (normally ":/manual").
// A topic is the page's file name without ".htm"; look-ups ignore case and
// accept the name with or without the ".htm" extension. Only pages that exist
// in the folder are found, so a topic can never name a path outside it.
class TopicIndex {
public:
    // Lists the ".htm" files of dir (a resource or file-system folder).
    explicit TopicIndex(const QString& dir);

    // File name of the topic's page ("Filter_function.htm"), empty if unknown.
    QString PageFor(const QString& topic) const;
    // Full path of the topic's page (":/manual/Filter_function.htm"), empty if unknown.
    QString PathFor(const QString& topic) const;
    // Every topic name, as spelt by its file name, sorted without regard to case.
    QStringList Names() const;

private:
    static QString Key(const QString& topic);

    QString dir_;
    QHash<QString, QString> pages_;  // lower-case topic -> file name
};

}  // namespace moravel
