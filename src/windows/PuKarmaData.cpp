#include "windows/PuKarmaData.h"

#include <QDomDocument>
#include <QFile>
#include <QXmlStreamReader>

#include "windows/QtDialogs.h"

namespace windows {

namespace {

// Refuses, before the document is built, what no real Karma data file
// holds and what would take the document builder minutes or gigabytes:
// elements nested deeper than the limit, and entity declarations (a small
// entity referenced a million times expands to gigabytes). Errors of any
// other kind are left to the parser, which names them.
void CheckShape(const QByteArray& bytes, const std::string& fileName) {
  const auto refuse = [&](const QXmlStreamReader& reader, const std::string& why) {
    throw EKarmaDataError("Parser error.\r" + fileName + ", line " + std::to_string(reader.lineNumber()) + ": " +
                          why);
  };
  QXmlStreamReader reader(bytes);
  int depth = 0;
  while (!reader.atEnd()) {
    const QXmlStreamReader::TokenType token = reader.readNext();
    if (token == QXmlStreamReader::DTD && !reader.entityDeclarations().isEmpty())
      refuse(reader, "entity declarations are not read.");
    if (token == QXmlStreamReader::EndElement) --depth;
    if (token == QXmlStreamReader::StartElement && ++depth > KarmaDataMaxDepth)
      refuse(reader, "elements nested more than " + std::to_string(KarmaDataMaxDepth) + " deep.");
  }
}

}  // namespace

std::vector<std::string> ReadKarmaAssetIds(const std::string& fileName) {
  QFile file(PathToQ(fileName));
  if (!file.open(QIODevice::ReadOnly))
    throw EKarmaDataError("Cannot open file \"" + fileName + "\". " + FromQ(file.errorString()));
  const auto tooLarge = [&] { return EKarmaDataError("\"" + fileName + "\" is too large for a Karma data file."); };
  if (file.size() > KarmaDataMaxBytes) throw tooLarge();

  // A device or a pipe tells no size beforehand: read no more than the
  // limit from it either.
  const QByteArray bytes = file.isSequential() ? file.read(KarmaDataMaxBytes + 1) : file.readAll();
  if (bytes.size() > KarmaDataMaxBytes) throw tooLarge();
  CheckShape(bytes, fileName);

  QDomDocument document;
  QString error;
  int line = 0;
  int column = 0;
  if (!document.setContent(bytes, &error, &line, &column))
    throw EKarmaDataError("Parser error.\r" + fileName + ", line " + std::to_string(line) + ", column " +
                          std::to_string(column) + ": " + FromQ(error));

  std::vector<std::string> ids;
  const QDomNodeList assets = document.elementsByTagName(QStringLiteral("ASSET"));
  for (int i = 0; i < assets.length(); ++i) {
    const QDomElement asset = assets.item(i).toElement();
    if (asset.hasAttribute(QStringLiteral("id"))) ids.push_back(FromQ(asset.attribute(QStringLiteral("id"))));
  }
  return ids;
}

}  // namespace windows
