// Runs the independent metafile readers (wmf2svg, emf2svg-conv) on a file
// and reads what their SVG holds: the texts and the shapes by fill colour.
// GUI thread of the test.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <map>
#include <vector>

namespace moravel::test {

/// What an SVG document holds, as far as the export tests look.
struct SvgContents {
    bool wellFormed = false;
    QString error;
    /// The text of each <text> element (its tspans joined).
    QStringList texts;
    /// Number of filled shapes (rect, polygon, path) per fill colour "#rrggbb".
    std::map<QString, int> shapesByFill;
    int images = 0;
};

SvgContents ParseSvg(const QByteArray& svg);

/// Writes `bytes` to a temporary file with `suffix`, runs the reader for it
/// (wmf2svg for ".wmf", emf2svg-conv for ".emf") and returns the SVG it
/// wrote. Fails the current test, naming the Debian package, if the reader
/// is not installed or fails.
QByteArray ConvertWithReader(const std::vector<std::uint8_t>& bytes, const QString& suffix);

}  // namespace moravel::test
