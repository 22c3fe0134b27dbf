#pragma once
// Where the picture lies in the editor's window: a whole scale (zoom in) or a whole shrink
// factor (the overview), and the window position of picture point (0, 0). No SDL.

/// Window X of picture x is trunc(x)·scale + offsetX when zoomed in (shrink 1), and
/// trunc(x) / shrink + offsetX in the overview (scale 1), as the drawing functions map.
struct ViewTransform {
    int scale = 1;    ///< window pixels per picture pixel, 1 … kMaximumScale
    int shrink = 1;   ///< picture pixels per window pixel in the overview, 1 … kMaximumShrink
    int offsetX = 0;  ///< window pixels
    int offsetY = 0;
    int width = 800;  ///< the drawing area, window pixels
    int height = 600;
};

constexpr int kMaximumScale = 16;
constexpr int kMaximumShrink = 8;

/// Window position of a picture point.
int windowX(const ViewTransform& view, float x);
int windowY(const ViewTransform& view, float y);
/// Picture point under a window position (the centre of the window pixel's span).
float pictureX(const ViewTransform& view, int x);
float pictureY(const ViewTransform& view, int y);

/// Zooms by `steps` notches (positive: closer) through … 1/3, 1/2, 1, 2, 3 …, keeping the picture
/// point under the window position (x, y) where it is.
void zoomAt(ViewTransform& view, int steps, int x, int y);
/// The largest whole scale at which the box (picture pixels) fits the area with a margin, or the
/// smallest shrink when even scale 1 is too big, with the box centred.
void fitBox(ViewTransform& view, float minX, float minY, float maxX, float maxY);
/// "2" for a scale, "1/3" for an overview shrink.
const char* scaleName(const ViewTransform& view, char* text, int size);
