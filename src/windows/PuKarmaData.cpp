#include "windows/PuKarmaData.h"

#include <QDomDocument>
#include <QFile>

#include "windows/QtDialogs.h"

namespace windows {

std::vector<std::string> ReadKarmaAssetIds(const std::string& fileName) {
  QFile file(PathToQ(fileName));
  if (!file.open(QIODevice::ReadOnly))
    throw EKarmaDataError("Cannot open file \"" + fileName + "\". " + FromQ(file.errorString()));
  if (file.size() > KarmaDataMaxBytes)
    throw EKarmaDataError("\"" + fileName + "\" is too large for a Karma data file.");

  QDomDocument document;
  QString error;
  int line = 0;
  int column = 0;
  if (!document.setContent(&file, &error, &line, &column))
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
