#pragma once
// Twips (1/1440 inch) to screen pixels: 15 twips a pixel at 96 dots per inch.
// The program's dialogs are laid out in twips.

class QPaintDevice;
class QWidget;

namespace zp {

// The screen's twips per pixel, rounded to a whole number (never below 1).
int twipsPerPixelX(const QPaintDevice *device = nullptr);
int twipsPerPixelY(const QPaintDevice *device = nullptr);

// twips as whole pixels, to the nearest pixel.
int twipsToPixels(int twips, int perPixel);

// Places w inside its parent at a rectangle given in twips.
void placeInTwips(QWidget *w, int left, int top, int width, int height);
// Gives dialog a fixed client area given in twips.
void setClientSizeInTwips(QWidget *dialog, int width, int height);

// Centres dialog over owner in twips: each difference of the outer sizes is
// halved by integer division, which truncates toward zero for a dialog larger
// than its owner. The dialog also takes the owner's icon.
void centreOverOwner(QWidget *dialog, const QWidget *owner);

} // namespace zp
