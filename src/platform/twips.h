#pragma once
// Twips (1/1440 inch) to screen pixels: 15 twips a pixel at 96 dots per inch.

class QPaintDevice;

namespace zp {

// The screen's twips per pixel, rounded to a whole number (never below 1).
int twipsPerPixelX(const QPaintDevice *device = nullptr);
int twipsPerPixelY(const QPaintDevice *device = nullptr);

} // namespace zp
