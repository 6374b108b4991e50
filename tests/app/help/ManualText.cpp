#include "ManualText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "app/help/HelpResources.h"

namespace moravel::help_test {

namespace {

QStringList Captures(const QString& html, const QRegularExpression& pattern) {
    QStringList values;
    for (auto it = pattern.globalMatch(html); it.hasNext();) values.append(it.next().captured(1));
    return values;
}

}  // namespace

QString ReadManualFile(const QString& name) {
    InitHelpResources();
    QFile file(ManualResourceDir() + QLatin1Char('/') + name);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList Hrefs(const QString& html) {
    static const QRegularExpression pattern(QStringLiteral("href\\s*=\\s*\"([^\"]*)\""),
                                            QRegularExpression::CaseInsensitiveOption);
    return Captures(html, pattern);
}

QStringList ImageSources(const QString& html) {
    static const QRegularExpression pattern(QStringLiteral("<img\\b[^>]*\\bsrc\\s*=\\s*\"([^\"]*)\""),
                                            QRegularExpression::CaseInsensitiveOption);
    return Captures(html, pattern);
}

QStringList AnchorNames(const QString& html) {
    static const QRegularExpression pattern(QStringLiteral("\\b(?:name|id)\\s*=\\s*\"([^\"]*)\""),
                                            QRegularExpression::CaseInsensitiveOption);
    return Captures(html, pattern);
}

int BodyWordCount(const QString& html) {
    static const QRegularExpression head(
        QStringLiteral("<head>.*</head>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    static const QRegularExpression entity(QStringLiteral("&[a-zA-Z#0-9]+;"));
    static const QRegularExpression word(QStringLiteral("[A-Za-z0-9]{2,}"));
    QString text = html;
    text.remove(head).replace(tag, QStringLiteral(" ")).replace(entity, QStringLiteral(" "));
    int count = 0;
    for (auto it = word.globalMatch(text); it.hasNext(); it.next()) ++count;
    return count;
}

QStringList ManualPages() {
    InitHelpResources();
    QStringList pages = QDir(ManualResourceDir()).entryList({QStringLiteral("*.htm")}, QDir::Files);
    pages.sort();
    return pages;
}

}  // namespace moravel::help_test
