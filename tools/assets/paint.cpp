#include "tools/assets/paint.h"

#include <cmath>

Canvas::Canvas(int width, int height)
    : width_(width),
      height_(height),
      surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)),
      cr_(cairo_create(surface_)) {
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void ImageSink::save(const Canvas& canvas, const std::string& relativePath, BitmapFormat format) {
    std::string reason;
    if (!writeBitmap(canvas.surface(), root + "/" + relativePath, format, &reason)) {
        if (error.empty()) {
            error = reason;
        }
        return;
    }
    ++written;
}

void setColour(cairo_t* cr, uint32_t rgb, double alpha) {
    cairo_set_source_rgba(cr, ((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0,
                          (rgb & 0xFF) / 255.0, alpha);
}

void addStop(cairo_pattern_t* pattern, double offset, uint32_t rgb, double alpha) {
    cairo_pattern_add_color_stop_rgba(pattern, offset, ((rgb >> 16) & 0xFF) / 255.0,
                                      ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha);
}

void paintGlow(cairo_t* cr, double x, double y, double radius, uint32_t rgb, double alpha) {
    if (radius <= 0.0 || alpha <= 0.0) {
        return;
    }
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0.0, x, y, radius);
    const PatternOwner freeG{g};
    // A smooth bell rather than a linear cone: the glow has no visible rim.
    for (int k = 0; k <= 8; ++k) {
        double t = k / 8.0;
        double fall = std::exp(-4.5 * t * t) * (1.0 - t * t);
        addStop(g, t, rgb, alpha * fall);
    }
    cairo_save(cr);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_restore(cr);
}

void roundedRectangle(cairo_t* cr, double x, double y, double w, double h, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void selectFont(cairo_t* cr, double size, bool bold) {
    cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
}

void centredText(cairo_t* cr, const std::string& text, double x, double y) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    cairo_move_to(cr, x - e.width / 2 - e.x_bearing, y - e.height / 2 - e.y_bearing);
    cairo_show_text(cr, text.c_str());
}

double textWidth(cairo_t* cr, const std::string& text) {
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    return e.x_advance;
}

void paintStars(cairo_t* cr, Random& random, double x, double y, double w, double h, int count) {
    static const uint32_t kTints[] = {0xFFFFFF, 0xCFE0FF, 0xFFF2D0, 0xD8FFF4};
    for (int k = 0; k < count; ++k) {
        double sx = x + random.unit() * w;
        double sy = y + random.unit() * h;
        double bright = std::pow(random.unit(), 3.0);
        uint32_t tint = kTints[random.next() % 4];
        double r = 0.5 + 1.3 * bright;
        if (bright > 0.55) {
            paintGlow(cr, sx, sy, r * 4.0, tint, 0.25 * bright);
        }
        setColour(cr, tint, 0.35 + 0.65 * bright);
        cairo_arc(cr, sx, sy, r, 0, 2 * M_PI);
        cairo_fill(cr);
    }
}

uint32_t mixColour(uint32_t a, uint32_t b, double t) {
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        double ca = (a >> shift) & 0xFF;
        double cb = (b >> shift) & 0xFF;
        long v = std::lround(ca + (cb - ca) * t);
        v = v < 0 ? 0 : (v > 255 ? 255 : v);
        out |= static_cast<uint32_t>(v) << shift;
    }
    return out;
}
