#pragma once
// The uninstaller's pictures, drawn at run time: bitmap 113 (the picture down
// the left side of the progress dialog), icon 101 (the program's icon) and
// icon 111 (the step mark).

class QPixmap;
class QSize;

QPixmap sideBitmap(const QSize& size);  // bitmap 113
QPixmap programIcon(int side);          // icon 101
QPixmap stepMarkIcon(int side);         // icon 111
