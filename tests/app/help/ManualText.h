#pragma once

#include <QString>
#include <QStringList>

namespace moravel::help_test {

// Text of a compiled-in manual file (":/manual/<name>"), empty if missing.
QString ReadManualFile(const QString& name);
// Every href="..." value of a page, in document order.
QStringList Hrefs(const QString& html);
// Every <img src="..."> value of a page, in document order.
QStringList ImageSources(const QString& html);
// Every anchor target a page defines (name="..." and id="...").
QStringList AnchorNames(const QString& html);
// Words of the page's visible body text (tags, entities and the head removed).
int BodyWordCount(const QString& html);
// File names of the ".htm" pages of the manual resources, sorted.
QStringList ManualPages();

}  // namespace moravel::help_test
