#pragma once

// What a source page of the configuration window hands to its value list
// by dragging: lines of a name, "=" and a translation, in row order. They
// travel in a format of our own, so only our value list takes them; a
// plain-text copy rides along for other programs.

#include <string>
#include <vector>

class QMimeData;

namespace windows {

extern const char* const DragLinesMimeType;

// A new drag object carrying the lines; the caller (or the drag) owns it.
QMimeData* MakeDragLines(const std::vector<std::string>& lines);

// The lines a drag object carries; empty when it carries none of ours.
std::vector<std::string> DragLinesOf(const QMimeData* data);

}  // namespace windows
