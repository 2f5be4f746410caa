#include "windows/DragLines.h"

#include <QDataStream>
#include <QMimeData>
#include <QStringList>

#include "windows/QtDialogs.h"

namespace windows {

const char* const DragLinesMimeType = "application/x-rosterwell-lines";

QMimeData* MakeDragLines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << ToQ(line);
  QByteArray bytes;
  QDataStream out(&bytes, QIODevice::WriteOnly);
  // A list, not text split at line breaks: a file name may hold one.
  out << list;
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(DragLinesMimeType), bytes);
  data->setText(list.join(QLatin1Char('\n')));
  return data;
}

std::vector<std::string> DragLinesOf(const QMimeData* data) {
  std::vector<std::string> lines;
  if (!data || !data->hasFormat(QString::fromLatin1(DragLinesMimeType))) return lines;
  QDataStream in(data->data(QString::fromLatin1(DragLinesMimeType)));
  QStringList list;
  in >> list;
  if (in.status() != QDataStream::Ok) return lines;
  for (const QString& line : list) lines.push_back(FromQ(line));
  return lines;
}

}  // namespace windows
