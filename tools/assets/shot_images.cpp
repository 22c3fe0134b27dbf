#include "tools/assets/shot_images.h"

#include <cassert>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

constexpr int kTripleBombFrames = 12;
constexpr int kSwarmFrames = 5;

/// A bright ball: a wide glow, a coloured body and a white-hot centre.
void drawEnergyBall(cairo_t* cr, double x, double y, double radius, uint32_t rgb, double glow) {
    paintGlow(cr, x, y, radius * 2.4, rgb, glow);
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, radius);
    const PatternOwner freeG{g};
    addStop(g, 0.0, 0xFFFFFF, 1.0);
    addStop(g, 0.45, mixColour(rgb, 0xFFFFFF, 0.5), 1.0);
    addStop(g, 1.0, rgb, 0.0);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
}

void drawSimpleShot(cairo_t* cr) {
    drawEnergyBall(cr, 8, 8, 4.5, weaponColour(0), 0.7);
}

void drawPurpleLaser(cairo_t* cr) {
    // 12 × 40, pointing up; the bolt is brightest at its head.
    cairo_pattern_t* halo = cairo_pattern_create_linear(0, 0, 12, 0);
    const PatternOwner freeHalo{halo};
    addStop(halo, 0.0, 0x8A30FF, 0.0);
    addStop(halo, 0.5, 0xA050FF, 0.7);
    addStop(halo, 1.0, 0x8A30FF, 0.0);
    roundedRectangle(cr, 0.5, 1, 11, 38, 5.5);
    cairo_set_source(cr, halo);
    cairo_fill(cr);

    cairo_pattern_t* core = cairo_pattern_create_linear(0, 2, 0, 38);
    const PatternOwner freeCore{core};
    addStop(core, 0.0, 0xFFFFFF, 1.0);
    addStop(core, 0.5, 0xF0C8FF, 1.0);
    addStop(core, 1.0, 0xC070FF, 0.3);
    roundedRectangle(cr, 4, 3, 4, 34, 2);
    cairo_set_source(cr, core);
    cairo_fill(cr);
    paintGlow(cr, 6, 7, 6, 0xFFFFFF, 0.6);
}

/// Frame k of the triple bomb: a pulsing core with three sparks that go a third of a turn round
/// in twelve frames, so frame 12 would equal frame 0.
void drawTripleBomb(cairo_t* cr, int k) {
    const double c = 20.0;
    const double phase = 2 * M_PI * k / kTripleBombFrames;
    const double pulse = 0.5 + 0.5 * std::cos(phase);
    const uint32_t orange = weaponColour(2);
    paintGlow(cr, c, c, 19, orange, 0.35 + 0.2 * pulse);
    // Dark shell with a hot seam.
    cairo_pattern_t* shell = cairo_pattern_create_radial(c - 2, c - 3, 1, c, c, 8);
    const PatternOwner freeShell{shell};
    addStop(shell, 0.0, 0xFFE0A0);
    addStop(shell, 0.4, 0xE06010);
    addStop(shell, 1.0, 0x401000);
    cairo_arc(cr, c, c, 7.5, 0, 2 * M_PI);
    cairo_set_source(cr, shell);
    cairo_fill(cr);
    paintGlow(cr, c, c, 6 + 2 * pulse, 0xFFF0C0, 0.5 + 0.4 * pulse);
    const double turn = phase / 3.0;
    for (int s = 0; s < 3; ++s) {
        double a = turn + s * 2 * M_PI / 3;
        double x = c + std::cos(a) * 12.5;
        double y = c + std::sin(a) * 12.5;
        // A short trail behind each spark.
        for (int t = 1; t <= 3; ++t) {
            double b = a - t * 0.22;
            paintGlow(cr, c + std::cos(b) * 12.5, c + std::sin(b) * 12.5, 4.0 - t * 0.7, orange,
                      0.45 - t * 0.12);
        }
        drawEnergyBall(cr, x, y, 3.2, 0xFFB040, 0.6);
    }
}

/// Frame k of a swarm shot: three motes circling a green core; 24 degrees per frame and a
/// three-fold pattern make the five frames loop.
void drawSwarm(cairo_t* cr, int k) {
    const double c = 13.0;
    const double phase = 2 * M_PI * k / kSwarmFrames;
    const uint32_t green = weaponColour(3);
    paintGlow(cr, c, c, 12, green, 0.35 + 0.1 * std::sin(phase));
    drawEnergyBall(cr, c, c, 3.4 + 0.6 * std::cos(phase), green, 0.4);
    for (int s = 0; s < 3; ++s) {
        double a = -phase / 3.0 + s * 2 * M_PI / 3;
        double r = 7.0 + 1.5 * std::cos(phase + s * 2 * M_PI / 3);
        drawEnergyBall(cr, c + std::cos(a) * r, c + std::sin(a) * r, 2.0, 0xD0FF90, 0.5);
    }
}

void drawBlackHole(cairo_t* cr) {
    const double c = 22.0;
    paintGlow(cr, c, c, 21, 0x6A5CFF, 0.55);
    // Accretion ring, brighter on one side.
    cairo_save(cr);
    cairo_translate(cr, c, c);
    cairo_scale(cr, 1.0, 0.55);
    cairo_rotate(cr, 0.0);
    for (int k = 0; k < 3; ++k) {
        double r = 13.0 - k * 1.5;
        cairo_pattern_t* g = cairo_pattern_create_linear(-r, 0, r, 0);
        const PatternOwner freeG{g};
        addStop(g, 0.0, 0x4030C0, 0.4);
        addStop(g, 0.5, 0xC8B0FF, 0.9);
        addStop(g, 1.0, 0xFFFFFF, 0.9);
        cairo_set_source(cr, g);
        cairo_set_line_width(cr, 2.0 - k * 0.4);
        cairo_arc(cr, 0, 0, r, 0, 2 * M_PI);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    // The hole itself and its photon ring.
    cairo_pattern_t* core = cairo_pattern_create_radial(c, c, 0, c, c, 8.5);
    const PatternOwner freeCore{core};
    addStop(core, 0.0, 0x000000, 1.0);
    addStop(core, 0.75, 0x000000, 1.0);
    addStop(core, 0.9, 0xB0A0FF, 1.0);
    addStop(core, 1.0, 0x6A5CFF, 0.0);
    cairo_arc(cr, c, c, 8.5, 0, 2 * M_PI);
    cairo_set_source(cr, core);
    cairo_fill(cr);
}

/// A jagged metal fragment with hot edges, different for every seed.
void drawShrapnel(cairo_t* cr, int index) {
    Random random(0x5EED0000u + static_cast<uint64_t>(index) * 7919u);
    const double c = 14.0;
    const int corners = 5 + index % 3;
    const double base = 6.5 + (index % 3) * 1.2;
    double xs[8], ys[8];
    for (int k = 0; k < corners; ++k) {
        double a = k * 2 * M_PI / corners + random.range(-0.3, 0.3);
        double r = base * random.range(0.7, 1.35);
        xs[k] = c + std::cos(a) * r;
        ys[k] = c + std::sin(a) * r * 0.8;
    }
    paintGlow(cr, c, c, 10, 0xFF7A20, 0.35);
    cairo_move_to(cr, xs[0], ys[0]);
    for (int k = 1; k < corners; ++k) {
        cairo_line_to(cr, xs[k], ys[k]);
    }
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(c - 8, c - 8, c + 8, c + 8);
    const PatternOwner freeG{g};
    addStop(g, 0.0, 0xE8EEF8);
    addStop(g, 0.5, 0x8890A0);
    addStop(g, 1.0, 0x383C48);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    setColour(cr, 0xFF9A40, 0.9);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // A scorch line across it.
    setColour(cr, 0x20242C, 0.8);
    cairo_move_to(cr, (xs[0] + c) / 2, (ys[0] + c) / 2);
    cairo_line_to(cr, (xs[corners / 2] + c) / 2, (ys[corners / 2] + c) / 2);
    cairo_stroke(cr);
}

/// A heart-and-cross medical sign for the health pick-up.
void drawCross(cairo_t* cr, double size) {
    double a = size * 0.32;
    double b = size;
    cairo_rectangle(cr, -a, -b, 2 * a, 2 * b);
    cairo_rectangle(cr, -b, -a, 2 * b, 2 * a);
}

/// A lightning bolt for rapid fire.
void drawBolt(cairo_t* cr, double s) {
    cairo_move_to(cr, 0.25 * s, -1.0 * s);
    cairo_line_to(cr, -0.55 * s, 0.15 * s);
    cairo_line_to(cr, -0.05 * s, 0.15 * s);
    cairo_line_to(cr, -0.3 * s, 1.0 * s);
    cairo_line_to(cr, 0.55 * s, -0.2 * s);
    cairo_line_to(cr, 0.05 * s, -0.2 * s);
    cairo_close_path(cr);
}

/// Pick-up 1..6: a round badge in the colour of what it gives, with its icon.
void drawPowerUp(cairo_t* cr, int index) {
    static const uint32_t kBadge[6] = {0xB65CFF, 0xFF8A2A, 0x5CFF7A, 0x7A8CFF, 0xFF4A5A, 0xFFE040};
    const double c = 20.0;
    const uint32_t col = kBadge[index - 1];
    // Dark disc with a coloured rim: its outline stays crisp against the colour key.
    cairo_pattern_t* g = cairo_pattern_create_radial(c - 5, c - 6, 2, c, c, 17);
    const PatternOwner freeG{g};
    addStop(g, 0.0, mixColour(col, 0x000000, 0.35));
    addStop(g, 1.0, mixColour(col, 0x000000, 0.85));
    cairo_arc(cr, c, c, 16.5, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    setColour(cr, col);
    cairo_set_line_width(cr, 2.4);
    cairo_arc(cr, c, c, 15.5, 0, 2 * M_PI);
    cairo_stroke(cr);
    setColour(cr, 0xFFFFFF, 0.5);
    cairo_set_line_width(cr, 1.0);
    cairo_arc(cr, c, c, 15.5, M_PI * 1.1, M_PI * 1.6);
    cairo_stroke(cr);

    cairo_save(cr);
    cairo_translate(cr, c, c);
    if (index <= 4) {
        drawWeaponIcon(cr, index, 10.0);
    } else if (index == 5) {
        drawCross(cr, 9.0);
        setColour(cr, 0xFFFFFF);
        cairo_fill(cr);
        drawCross(cr, 6.5);
        setColour(cr, col);
        cairo_fill(cr);
    } else {
        drawBolt(cr, 11.0);
        setColour(cr, 0xFFF6B0);
        cairo_fill_preserve(cr);
        setColour(cr, 0x6A4A00);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    }
    cairo_restore(cr);
}

}  // namespace

uint32_t weaponColour(int weapon) {
    static const uint32_t kColours[5] = {0xFFD84A, 0xB65CFF, 0xFF8A2A, 0x5CFF7A, 0x7A8CFF};
    return kColours[weapon];
}

void drawWeaponIcon(cairo_t* cr, int weapon, double size) {
    const uint32_t col = weaponColour(weapon);
    cairo_save(cr);
    switch (weapon) {
        case 1: {  // a slanted laser bolt
            cairo_rotate(cr, M_PI / 4);
            paintGlow(cr, 0, 0, size * 1.1, col, 0.5);
            roundedRectangle(cr, -size * 0.22, -size, size * 0.44, size * 2, size * 0.22);
            setColour(cr, mixColour(col, 0xFFFFFF, 0.5));
            cairo_fill(cr);
            break;
        }
        case 2:  // three bombs
            paintGlow(cr, 0, 0, size * 1.1, col, 0.4);
            for (int s = 0; s < 3; ++s) {
                double a = -M_PI / 2 + s * 2 * M_PI / 3;
                drawEnergyBall(cr, std::cos(a) * size * 0.5, std::sin(a) * size * 0.5, size * 0.38,
                               col, 0.3);
            }
            break;
        case 3:  // a cloud of motes
            for (int s = 0; s < 6; ++s) {
                double a = s * 2.4;
                double r = size * (0.25 + 0.12 * s);
                drawEnergyBall(cr, std::cos(a) * r, std::sin(a) * r, size * 0.22, col, 0.35);
            }
            break;
        default: {  // a black hole
            paintGlow(cr, 0, 0, size * 1.1, col, 0.7);
            setColour(cr, 0xC8C0FF);
            cairo_set_line_width(cr, size * 0.14);
            cairo_save(cr);
            cairo_scale(cr, 1.0, 0.5);
            cairo_arc(cr, 0, 0, size * 0.85, 0, 2 * M_PI);
            cairo_restore(cr);
            cairo_stroke(cr);
            setColour(cr, 0x000000);
            cairo_arc(cr, 0, 0, size * 0.42, 0, 2 * M_PI);
            cairo_fill(cr);
            break;
        }
    }
    cairo_restore(cr);
}

void writeShotImages(ImageSink& sink) {
    // The images in the game's order, kind by kind and frame by frame.
    int image = 0;
    {
        Canvas canvas(16, 16);
        drawSimpleShot(canvas.cr());
        sink.save(canvas, kShotImageFiles[image++], BitmapFormat::StraightAlpha32);
    }
    {
        Canvas canvas(12, 40);
        drawPurpleLaser(canvas.cr());
        sink.save(canvas, kShotImageFiles[image++], BitmapFormat::StraightAlpha32);
    }
    for (int k = 0; k < kTripleBombFrames; ++k) {
        Canvas canvas(40, 40);
        drawTripleBomb(canvas.cr(), k);
        sink.save(canvas, kShotImageFiles[image++], BitmapFormat::StraightAlpha32);
    }
    for (int k = 0; k < kSwarmFrames; ++k) {
        Canvas canvas(26, 26);
        drawSwarm(canvas.cr(), k);
        sink.save(canvas, kShotImageFiles[image++], BitmapFormat::StraightAlpha32);
    }
    {
        Canvas canvas(44, 44);
        drawBlackHole(canvas.cr());
        sink.save(canvas, kShotImageFiles[image++], BitmapFormat::StraightAlpha32);
    }
    for (int k = 1; k <= 6; ++k) {
        Canvas canvas(28, 28);
        drawShrapnel(canvas.cr(), k);
        sink.save(canvas, kShotImageFiles[image++], BitmapFormat::StraightAlpha32);
    }
    for (int k = 1; k <= 6; ++k) {
        Canvas canvas(40, 40);
        drawPowerUp(canvas.cr(), k);
        sink.save(canvas, kShotImageFiles[image++], BitmapFormat::KeyedMagenta24);
    }
    assert(image == static_cast<int>(kShotImageFiles.size()));
}
