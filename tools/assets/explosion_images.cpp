#include "tools/assets/explosion_images.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFrames = 6;

/// Colours of one explosion style, from the white-hot centre outwards, plus its sparks and smoke.
struct Palette {
    uint32_t hot;
    uint32_t mid;
    uint32_t outer;
    uint32_t spark;
    uint32_t smoke;
};

/// One blob of fire: where it flies (unit direction times reach), its size and heat.
struct Blob {
    double dx, dy;
    double reach;  // fraction of the explosion radius reached at the last frame
    double size;   // fraction of the explosion radius
    double heat;   // 0 cool .. 1 hot
};

struct Spark {
    double dx, dy;
    double speed;
    double length;
};

void drawFrame(cairo_t* cr, double centre, double radius, int frame, const Palette& p,
               const std::vector<Blob>& blobs, const std::vector<Spark>& sparks) {
    // t runs from just after the flash to the end; the ball grows fast then slows, and fades.
    const double t = (frame + 1.0) / kFrames;
    const double grow = 1.0 - std::pow(1.0 - t, 2.2);
    const double fade = std::pow(1.0 - (frame / (kFrames - 0.0)), 1.3);
    const double heat = std::max(0.0, 1.0 - t * 1.15);

    // Smoke ring, growing in the later frames.
    if (frame >= 2) {
        double rr = radius * (0.55 + 0.4 * grow);
        cairo_pattern_t* g =
            cairo_pattern_create_radial(centre, centre, rr * 0.5, centre, centre, rr);
        const PatternOwner freeG{g};
        addStop(g, 0.0, p.smoke, 0.0);
        addStop(g, 0.7, p.smoke, 0.35 * fade + 0.08);
        addStop(g, 1.0, p.smoke, 0.0);
        cairo_set_source(cr, g);
        cairo_arc(cr, centre, centre, rr, 0, 2 * M_PI);
        cairo_fill(cr);
    }

    // Shock ring in the first frames.
    if (frame <= 2) {
        double rr = radius * (0.35 + 0.6 * t);
        setColour(cr, p.mid, 0.5 * (1.0 - frame / 3.0));
        cairo_set_line_width(cr, radius * 0.05 * (3 - frame));
        cairo_arc(cr, centre, centre, rr, 0, 2 * M_PI);
        cairo_stroke(cr);
    }

    // The main fireball.
    paintGlow(cr, centre, centre, radius * (0.45 + 0.5 * grow), p.outer, 0.85 * fade);

    // Fire blobs flung outwards.
    for (const Blob& b : blobs) {
        double x = centre + b.dx * b.reach * radius * grow * 0.72;
        double y = centre + b.dy * b.reach * radius * grow * 0.72;
        double s = radius * b.size * (0.5 + 0.6 * grow);
        uint32_t colour = mixColour(p.outer, p.mid, b.heat * heat + 0.2);
        paintGlow(cr, x, y, s, colour, 0.9 * fade);
        if (b.heat * heat > 0.35) {
            paintGlow(cr, x, y, s * 0.5, p.hot, 0.7 * fade * b.heat);
        }
    }

    // Sparks: short streaks along their flight, fading.
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (const Spark& s : sparks) {
        double d0 = radius * (0.15 + s.speed * 0.75 * grow);
        double d1 = d0 + radius * s.length * (1.0 - 0.5 * t);
        d1 = std::min(d1, radius * 0.96);
        if (d0 >= d1) {
            continue;
        }
        cairo_pattern_t* g = cairo_pattern_create_linear(centre + s.dx * d0, centre + s.dy * d0,
                                                         centre + s.dx * d1, centre + s.dy * d1);
        const PatternOwner freeG{g};
        addStop(g, 0.0, p.spark, 0.0);
        addStop(g, 1.0, p.spark, 0.95 * fade);
        cairo_set_source(cr, g);
        cairo_set_line_width(cr, 1.6);
        cairo_move_to(cr, centre + s.dx * d0, centre + s.dy * d0);
        cairo_line_to(cr, centre + s.dx * d1, centre + s.dy * d1);
        cairo_stroke(cr);
    }

    // The white-hot core, shrinking as it cools.
    if (heat > 0.0) {
        paintGlow(cr, centre, centre, radius * (0.25 + 0.25 * grow), p.mid, heat);
        paintGlow(cr, centre, centre, radius * 0.22 * (0.5 + heat), p.hot, heat);
    }
}

void writeStyle(ImageSink& sink, int kind, int size, const Palette& palette, uint64_t seed,
                int blobCount, int sparkCount) {
    Random random(seed);
    std::vector<Blob> blobs;
    for (int k = 0; k < blobCount; ++k) {
        double a = random.range(0, 2 * M_PI);
        blobs.push_back({std::cos(a), std::sin(a), random.range(0.15, 0.85),
                         random.range(0.14, 0.3), random.unit()});
    }
    std::vector<Spark> sparks;
    for (int k = 0; k < sparkCount; ++k) {
        double a = random.range(0, 2 * M_PI);
        sparks.push_back(
            {std::cos(a), std::sin(a), random.range(0.5, 1.0), random.range(0.08, 0.2)});
    }
    const double centre = size / 2.0;
    const double radius = size / 2.0 - 3.0;
    for (int frame = 0; frame < kFrames; ++frame) {
        Canvas canvas(size, size);
        drawFrame(canvas.cr(), centre, radius, frame, palette, blobs, sparks);
        sink.save(canvas, kExplosionImageFiles[kind * kFrames + frame],
                  BitmapFormat::StraightAlpha32);
    }
}

}  // namespace

void writeExplosionImages(ImageSink& sink) {
    const Palette fire = {0xFFFBE8, 0xFFC040, 0xE0400C, 0xFFE090, 0x3A302C};
    const Palette blue = {0xF4FCFF, 0x70D8FF, 0x2A4CE0, 0xC0F0FF, 0x28304A};
    const Palette small = {0xFFFFF0, 0xFFD060, 0xF05A10, 0xFFF0B0, 0x3A3430};
    writeStyle(sink, 0, 180, fire, 0xE4B105u, 22, 26);   // large
    writeStyle(sink, 1, 180, blue, 0xB10E05u, 22, 30);   // blue
    writeStyle(sink, 2, 100, small, 0x5E4A11u, 12, 14);  // small
}
