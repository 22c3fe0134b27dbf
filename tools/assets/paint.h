#pragma once
// Drawing helpers shared by the picture modules: a Cairo canvas that owns its surface, colours
// given as 0xRRGGBB, soft glows, rounded boxes, centred text and star fields.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

#include "shared/data_contract.h"
#include "tools/assets/bitmap_file.h"
#include "tools/assets/random.h"

/// A transparent ARGB32 picture and its drawing context.
class Canvas {
  public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }

  private:
    int width_;
    int height_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

struct PatternFree {
    void operator()(cairo_pattern_t* pattern) const { cairo_pattern_destroy(pattern); }
};
/// Frees a pattern at the end of the scope that made it.
using PatternOwner = std::unique_ptr<cairo_pattern_t, PatternFree>;

/// Where the pictures go: the output folder and the first failure, if any.
struct ImageSink {
    std::string root;   ///< output folder, ending without a slash
    std::string error;  ///< first write failure, empty while all is well
    int written = 0;    ///< files written so far

    /// Writes canvas as root/relativePath in format; remembers the first failure.
    void save(const Canvas& canvas, const std::string& relativePath, BitmapFormat format);
};

/// Sets the source colour from 0xRRGGBB and an opacity in [0, 1].
void setColour(cairo_t* cr, uint32_t rgb, double alpha = 1.0);

/// Adds a colour stop from 0xRRGGBB to a gradient.
void addStop(cairo_pattern_t* pattern, double offset, uint32_t rgb, double alpha = 1.0);

/// A round glow at (x, y): opacity `alpha` at the centre falling smoothly to 0 at `radius`.
void paintGlow(cairo_t* cr, double x, double y, double radius, uint32_t rgb, double alpha);

/// Adds a rounded rectangle to the current path.
void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r);

/// Sets the font (DejaVu Sans, bold or regular) and size in pixels.
void selectFont(cairo_t* cr, double size, bool bold);

/// Draws text with the current font and source so that its ink is centred on (x, y).
void centredText(cairo_t* cr, const std::string& text, double x, double y);

/// Width in pixels of text in the current font (its advance).
double textWidth(cairo_t* cr, const std::string& text);

/// Scatters `count` stars of varied size and tint over the rectangle (x, y, w, h).
void paintStars(cairo_t* cr, Random& random, double x, double y, double w, double h, int count);

/// Mixes two 0xRRGGBB colours: t = 0 gives a, t = 1 gives b.
uint32_t mixColour(uint32_t a, uint32_t b, double t);
