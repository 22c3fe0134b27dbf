#include "tools/assets/screen_images.h"

#include <cmath>

#include "tools/assets/ship_images.h"
#include "tools/assets/shot_images.h"

namespace {

constexpr int kScreenWidth = 800;
constexpr int kScreenHeight = 600;

/// A lattice point of the decorative grid: a smooth bulge pushes points away from the centre.
void warpPoint(double u, double v, double cx, double cy, double radius, double& x, double& y) {
    double dx = u - cx;
    double dy = v - cy;
    double r2 = (dx * dx + dy * dy) / (radius * radius);
    double push = 1.0 + 0.55 * std::exp(-r2);
    x = cx + dx * push;
    y = cy + dy * push;
}

}  // namespace

void drawBackdrop(cairo_t* cr, Random& random, double x, double y, double w, double h) {
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    const PatternOwner freeG{g};
    addStop(g, 0.0, 0x03040C);
    addStop(g, 0.6, 0x0A0F24);
    addStop(g, 1.0, 0x05060E);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    // Nebulae: large soft glows of a few hues.
    static const uint32_t kHues[] = {0x5A2A9A, 0x1A6A8A, 0x8A2A6A, 0x2A4AA0};
    for (int k = 0; k < 7; ++k) {
        double nx = x + random.unit() * w;
        double ny = y + random.unit() * h;
        double nr = std::min(w, h) * random.range(0.25, 0.6);
        paintGlow(cr, nx, ny, nr, kHues[k % 4], random.range(0.12, 0.3));
    }
    paintStars(cr, random, x, y, w, h, static_cast<int>(w * h / 1800));
    cairo_restore(cr);
}

void drawWarpedGrid(cairo_t* cr, double x, double y, double w, double h, double alpha) {
    const double cell = 40.0;
    const double cx = x + w / 2;
    const double cy = y + h / 2;
    const double radius = std::min(w, h) * 0.35;
    cairo_save(cr);
    cairo_rectangle(cr, x, y, w, h);
    cairo_clip(cr);
    cairo_push_group(cr);
    const int nu = static_cast<int>(w / cell) + 2;
    const int nv = static_cast<int>(h / cell) + 2;
    for (int pass = 0; pass < 2; ++pass) {
        // A wide faint stroke under a thin bright one gives the lines a glow.
        cairo_set_line_width(cr, pass == 0 ? 4.0 : 1.1);
        setColour(cr, pass == 0 ? 0x10A040 : 0x40FF80, alpha * (pass == 0 ? 0.25 : 0.7));
        for (int i = -1; i <= nu; ++i) {
            for (int s = 0; s <= 4 * nv; ++s) {
                double px, py;
                warpPoint(x + i * cell, y + (s / 4.0 - 1) * cell, cx, cy, radius, px, py);
                s == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
            }
            cairo_stroke(cr);
        }
        for (int j = -1; j <= nv; ++j) {
            for (int s = 0; s <= 4 * nu; ++s) {
                double px, py;
                warpPoint(x + (s / 4.0 - 1) * cell, y + j * cell, cx, cy, radius, px, py);
                s == 0 ? cairo_move_to(cr, px, py) : cairo_line_to(cr, px, py);
            }
            cairo_stroke(cr);
        }
    }
    // The grid fades in from the top of its rectangle, like a plane seen towards the horizon.
    cairo_pop_group_to_source(cr);
    cairo_pattern_t* fade = cairo_pattern_create_linear(0, y, 0, y + h * 0.45);
    const PatternOwner freeFade{fade};
    addStop(fade, 0.0, 0x000000, 0.0);
    addStop(fade, 1.0, 0x000000, 1.0);
    cairo_mask(cr, fade);
    cairo_restore(cr);
}

void drawGlowText(cairo_t* cr, const std::string& text, double x, double y, double size,
                  uint32_t glow) {
    cairo_save(cr);
    selectFont(cr, size, true);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text.c_str(), &e);
    double left = x - e.width / 2 - e.x_bearing;
    double base = y - e.height / 2 - e.y_bearing;
    cairo_move_to(cr, left, base);
    cairo_text_path(cr, text.c_str());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const double widths[] = {size * 0.36, size * 0.22, size * 0.12, size * 0.06};
    const double alphas[] = {0.06, 0.1, 0.18, 0.4};
    for (int k = 0; k < 4; ++k) {
        setColour(cr, glow, alphas[k]);
        cairo_set_line_width(cr, widths[k]);
        cairo_stroke_preserve(cr);
    }
    cairo_pattern_t* g = cairo_pattern_create_linear(0, base + e.y_bearing, 0, base);
    const PatternOwner freeG{g};
    addStop(g, 0.0, 0xFFFFFF);
    addStop(g, 1.0, mixColour(glow, 0xFFFFFF, 0.45));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_restore(cr);
}

void drawLoadingArea(cairo_t* cr, double top, double height) {
    Random random(0x10AD1);
    drawBackdrop(cr, random, 0, top, kScreenWidth, height);
    drawWarpedGrid(cr, 0, top + height * 0.45, kScreenWidth, height * 0.55, 0.35);
    drawGlowText(cr, "Lumen Drift", 400, top + height * 0.25, 64, 0x40D8FF);
    selectFont(cr, 30, true);
    setColour(cr, 0xE8F4FF);
    centredText(cr, "Loading\u2026", 400, top + height * 0.5);
    selectFont(cr, 15, false);
    setColour(cr, 0xA8C0D8);
    centredText(cr, "Arrows: turn and thrust   Right Shift: strafe", 400, top + height * 0.66);
    centredText(cr, "Ctrl or Space: fire   1\u20135: choose weapon", 400, top + height * 0.72);
}

void writeScreenImages(ImageSink& sink) {
    {
        Canvas canvas(kScreenWidth, kScreenHeight);
        cairo_t* cr = canvas.cr();
        Random random(0x717E);
        drawBackdrop(cr, random, 0, 0, kScreenWidth, kScreenHeight);
        drawWarpedGrid(cr, 0, 300, kScreenWidth, 300, 0.6);

        // The player's ship climbing out of the arena, with two enemies in pursuit.
        cairo_save(cr);
        cairo_translate(cr, 400, 360);
        cairo_rotate(cr, 0.18);
        cairo_scale(cr, 1.5, 1.5);
        cairo_translate(cr, -45, -52);
        paintGlow(cr, 45, 52, 70, 0x40C8FF, 0.25);
        drawPlayerShip(cr, ShipPose{false, false, true});
        cairo_restore(cr);
        const double enemyPlaces[2][4] = {{180, 450, 0.5, 0}, {640, 470, -0.4, 1}};
        for (const auto& e : enemyPlaces) {
            int w = 0, h = 0;
            int kind = static_cast<int>(e[3]);
            enemyFrameSize(kind, w, h);
            cairo_save(cr);
            cairo_translate(cr, e[0], e[1]);
            cairo_rotate(cr, e[2]);
            cairo_translate(cr, -w / 2.0, -h / 2.0);
            drawEnemyShip(cr, kind, ShipPose{false, false, true});
            cairo_restore(cr);
        }
        // A laser bolt and a swarm between them.
        cairo_save(cr);
        cairo_translate(cr, 300, 400);
        cairo_rotate(cr, 0.9);
        drawWeaponIcon(cr, 1, 12);
        cairo_restore(cr);

        drawGlowText(cr, "Lumen Drift", 400, 150, 96, 0x40D8FF);
        selectFont(cr, 18, false);
        setColour(cr, 0xB8D8F0, 0.9);
        centredText(cr, "a shooter on a warped sheet of space", 400, 225);
        selectFont(cr, 26, true);
        setColour(cr, 0xFFFFFF);
        centredText(cr, "Press any key to start", 400, 548);
        sink.save(canvas, kTitleImageFile, BitmapFormat::Opaque24);
    }
    {
        Canvas canvas(kScreenWidth, kScreenHeight);
        cairo_t* cr = canvas.cr();
        Random random(0x1E7E1);
        drawBackdrop(cr, random, 0, 0, kScreenWidth, kScreenHeight);
        // Rays of light behind the headline.
        for (int k = 0; k < 24; ++k) {
            double a0 = k * 2 * M_PI / 24;
            double a1 = a0 + M_PI / 48;
            cairo_pattern_t* g = cairo_pattern_create_radial(400, 280, 40, 400, 280, 520);
            const PatternOwner freeG{g};
            addStop(g, 0.0, 0xFFD860, 0.4);
            addStop(g, 0.35, 0xFFD860, 0.12);
            addStop(g, 1.0, 0xFFD860, 0.0);
            cairo_move_to(cr, 400, 280);
            cairo_arc(cr, 400, 280, 520, a0, a1);
            cairo_close_path(cr);
            cairo_set_source(cr, g);
            cairo_fill(cr);
        }
        paintGlow(cr, 400, 280, 260, 0xFFB040, 0.35);
        drawGlowText(cr, "Level complete", 400, 250, 72, 0xFFB040);
        selectFont(cr, 26, true);
        setColour(cr, 0xFFF2D0);
        centredText(cr, "The arena shifts\u2026", 400, 340);
        selectFont(cr, 18, false);
        setColour(cr, 0xE0D0B0);
        centredText(cr, "The next arena asks for 20 more kills", 400, 385);
        sink.save(canvas, kLevelUpImageFile, BitmapFormat::Opaque24);
    }
}
