#include "MetafileReaders.h"

#include <QColor>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace moravel::test {
namespace {

// A fill given as an attribute or in a style="fill:..." declaration.
QString FillOf(const QXmlStreamAttributes& attributes) {
    QString fill = attributes.value("fill").toString();
    const QString style = attributes.value("style").toString();
    for (const QString& declaration : style.split(';')) {
        const QString d = declaration.trimmed();
        if (d.startsWith("fill:")) fill = d.mid(5).trimmed();
    }
    const QColor color(fill);
    return color.isValid() ? color.name() : fill;
}

struct Reader {
    QString program;
    QString package;
    QStringList arguments;
};

Reader ReaderFor(const QString& suffix, const QString& in, const QString& out) {
    if (suffix == ".wmf") return {"wmf2svg", "libwmf-bin", {"--inline", "-o", out, in}};
    return {"emf2svg-conv", "emf2svg", {"-i", in, "-o", out}};
}

}  // namespace

SvgContents ParseSvg(const QByteArray& svg) {
    SvgContents contents;
    QXmlStreamReader xml(svg);
    // wmf2svg writes xlink:href without declaring the xlink namespace.
    xml.setNamespaceProcessing(false);
    int textDepth = 0;
    QString text;
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == u"text") {
                ++textDepth;
                text.clear();
            } else if (name == u"rect" || name == u"polygon" || name == u"path") {
                ++contents.shapesByFill[FillOf(xml.attributes())];
            } else if (name == u"image") {
                ++contents.images;
            }
        } else if (xml.isCharacters() && textDepth > 0) {
            text += xml.text();
        } else if (xml.isEndElement() && xml.name() == u"text") {
            --textDepth;
            contents.texts << text.trimmed();
        }
    }
    contents.wellFormed = !xml.hasError();
    contents.error = xml.errorString();
    return contents;
}

QByteArray ConvertWithReader(const std::vector<std::uint8_t>& bytes, const QString& suffix) {
    QTemporaryDir dir;
    const QString in = dir.filePath("chart" + suffix), out = dir.filePath("chart.svg");
    QFile file(in);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    file.close();

    const Reader reader = ReaderFor(suffix, in, out);
    if (QStandardPaths::findExecutable(reader.program).isEmpty()) {
        ADD_FAILURE() << reader.program.toStdString() << " is missing: install the Debian package "
                      << reader.package.toStdString();
        return {};
    }
    QProcess process;
    process.start(reader.program, reader.arguments);
    EXPECT_TRUE(process.waitForFinished(30000)) << reader.program.toStdString() << " did not finish";
    EXPECT_EQ(process.exitCode(), 0) << reader.program.toStdString() << ": "
                                     << process.readAllStandardError().toStdString();
    QFile svg(out);
    EXPECT_TRUE(svg.open(QIODevice::ReadOnly)) << reader.program.toStdString() << " wrote no SVG";
    return svg.readAll();
}

}  // namespace moravel::test
