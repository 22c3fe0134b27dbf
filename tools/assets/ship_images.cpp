#include "tools/assets/ship_images.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

/// A tapered flame from (x, y) pointing along (dx, dy) with the given length and half width.
void drawFlame(cairo_t* cr, double x, double y, double dx, double dy, double length,
               double halfWidth, uint32_t outer, uint32_t inner) {
    double n = std::hypot(dx, dy);
    dx /= n;
    dy /= n;
    double px = -dy;  // across the flame
    double py = dx;
    double tipX = x + dx * length;
    double tipY = y + dy * length;

    paintGlow(cr, x + dx * length * 0.3, y + dy * length * 0.3, length * 0.75, outer, 0.55);

    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, tipX, tipY);
    const PatternOwner freeG{g};
    addStop(g, 0.0, 0xFFFFFF, 1.0);
    addStop(g, 0.25, inner, 0.95);
    addStop(g, 0.7, outer, 0.6);
    addStop(g, 1.0, outer, 0.0);
    cairo_move_to(cr, x + px * halfWidth, y + py * halfWidth);
    cairo_curve_to(cr, x + px * halfWidth + dx * length * 0.4,
                   y + py * halfWidth + dy * length * 0.4, tipX + px * halfWidth * 0.2,
                   tipY + py * halfWidth * 0.2, tipX, tipY);
    cairo_curve_to(cr, tipX - px * halfWidth * 0.2, tipY - py * halfWidth * 0.2,
                   x - px * halfWidth + dx * length * 0.4, y - py * halfWidth + dy * length * 0.4,
                   x - px * halfWidth, y - py * halfWidth);
    cairo_close_path(cr);
    cairo_set_source(cr, g);
    cairo_fill(cr);
}

/// Fills the current path with a left-to-right gradient and strokes a thin dark outline.
void fillShaded(cairo_t* cr, double x0, double x1, uint32_t edge, uint32_t middle, uint32_t line,
                double lineWidth) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x0, 0, x1, 0);
    const PatternOwner freeG{g};
    addStop(g, 0.0, edge);
    addStop(g, 0.45, middle);
    addStop(g, 0.55, middle);
    addStop(g, 1.0, mixColour(edge, 0x000000, 0.35));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    setColour(cr, line);
    cairo_set_line_width(cr, lineWidth);
    cairo_stroke(cr);
}

/// A glossy dome: a radial gradient ellipse with a small highlight.
void drawDome(cairo_t* cr, double x, double y, double rx, double ry, uint32_t light,
              uint32_t dark) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_radial(-0.3, -0.4, 0.1, 0, 0, 1.0);
    const PatternOwner freeG{g};
    addStop(g, 0.0, 0xFFFFFF);
    addStop(g, 0.3, light);
    addStop(g, 1.0, dark);
    cairo_arc(cr, 0, 0, 1.0, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_restore(cr);
}

/// Side jets for a turn: a turn to the pilot's left pushes the nose left (exhaust to the right at
/// the nose) and the tail right (exhaust to the left at the tail).
void drawTurnJets(cairo_t* cr, ShipPose pose, double noseX, double noseY, double tailX,
                  double tailY, double length, uint32_t outer, uint32_t inner) {
    if (pose.left) {
        drawFlame(cr, noseX, noseY, 1, -0.15, length, 2.2, outer, inner);
        drawFlame(cr, -tailX, tailY, -1, 0.15, length, 2.2, outer, inner);
    }
    if (pose.right) {
        drawFlame(cr, -noseX, noseY, -1, -0.15, length, 2.2, outer, inner);
        drawFlame(cr, tailX, tailY, 1, 0.15, length, 2.2, outer, inner);
    }
}

// ---------------------------------------------------------------------------------------------
// Enemy kind 0: a violet crescent "lancer" with a glowing core.

void drawLancer(cairo_t* cr, ShipPose pose) {
    cairo_translate(cr, 28, 28);  // frame 56 × 60, centre of rotation (28, 30)
    if (pose.thrust) {
        drawFlame(cr, -5, 17, 0, 1, 13, 3.0, 0xC040FF, 0xFFB0F0);
        drawFlame(cr, 5, 17, 0, 1, 13, 3.0, 0xC040FF, 0xFFB0F0);
    }
    paintGlow(cr, 0, 2, 26, 0x9A40FF, 0.35);
    // Crescent hull: two claws reaching forward around the core.
    cairo_move_to(cr, -14, -25);
    cairo_curve_to(cr, -26, -14, -26, 8, -12, 17);
    cairo_curve_to(cr, -5, 21, 5, 21, 12, 17);
    cairo_curve_to(cr, 26, 8, 26, -14, 14, -25);
    cairo_curve_to(cr, 15, -12, 10, -6, 0, -6);
    cairo_curve_to(cr, -10, -6, -15, -12, -14, -25);
    cairo_close_path(cr);
    fillShaded(cr, -24, 24, 0x5A1E9A, 0xC58BFF, 0x1C0833, 1.2);
    // Ribs along the claws.
    setColour(cr, 0xF0D0FF, 0.7);
    cairo_set_line_width(cr, 1.0);
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 15, -20);
        cairo_curve_to(cr, side * 20, -10, side * 19, 4, side * 10, 12);
        cairo_stroke(cr);
    }
    // Engines at the back.
    setColour(cr, 0x240A40);
    roundedRectangle(cr, -9, 14, 8, 5, 1.5);
    roundedRectangle(cr, 1, 14, 8, 5, 1.5);
    cairo_fill(cr);
    // The core.
    paintGlow(cr, 0, 4, 13, 0xFF60E0, 0.8);
    drawDome(cr, 0, 4, 6, 6, 0xFF8AF0, 0x8A10A0);
    drawTurnJets(cr, pose, 12, -19, 12, 14, 10, 0xC040FF, 0xFFB0F0);
}

// ---------------------------------------------------------------------------------------------
// Enemy kind 1: an amber hexagonal "bomber" with three bomb pods.

void drawBomber(cairo_t* cr, ShipPose pose) {
    cairo_translate(cr, 34, 31);  // frame 68 × 68
    if (pose.thrust) {
        drawFlame(cr, -9, 22, 0, 1, 14, 4.0, 0xFF6A00, 0xFFE070);
        drawFlame(cr, 9, 22, 0, 1, 14, 4.0, 0xFF6A00, 0xFFE070);
    }
    paintGlow(cr, 0, 0, 32, 0xFF9A30, 0.25);
    // Armour side plates.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 19, -14);
        cairo_line_to(cr, side * 28, -6);
        cairo_line_to(cr, side * 28, 14);
        cairo_line_to(cr, side * 19, 20);
        cairo_close_path(cr);
        fillShaded(cr, side < 0 ? -28 : 19, side < 0 ? -19 : 28, 0x7A3A0A, 0xC8702A, 0x2A1204, 1.0);
    }
    // Hexagonal hull, pointed forward.
    cairo_move_to(cr, 0, -26);
    cairo_line_to(cr, 20, -14);
    cairo_line_to(cr, 20, 14);
    cairo_line_to(cr, 8, 22);
    cairo_line_to(cr, -8, 22);
    cairo_line_to(cr, -20, 14);
    cairo_line_to(cr, -20, -14);
    cairo_close_path(cr);
    fillShaded(cr, -20, 20, 0x9A5010, 0xFFC060, 0x3A1A04, 1.4);
    // Panel lines.
    setColour(cr, 0x5A2A06, 0.8);
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, -20, 0);
    cairo_line_to(cr, 20, 0);
    cairo_move_to(cr, 0, -26);
    cairo_line_to(cr, 0, -16);
    cairo_stroke(cr);
    // Three bomb pods, the arrangement of its triple bomb.
    const double pods[3][2] = {{0, -11}, {-9, 7}, {9, 7}};
    for (const auto& p : pods) {
        setColour(cr, 0x2A0C02);
        cairo_arc(cr, p[0], p[1], 6.0, 0, 2 * M_PI);
        cairo_fill(cr);
        paintGlow(cr, p[0], p[1], 9, 0xFF5A00, 0.7);
        drawDome(cr, p[0], p[1], 3.8, 3.8, 0xFFB050, 0xB02800);
    }
    // Engine bells.
    setColour(cr, 0x3A1A08);
    roundedRectangle(cr, -13, 19, 8, 5, 1.5);
    roundedRectangle(cr, 5, 19, 8, 5, 1.5);
    cairo_fill(cr);
    drawTurnJets(cr, pose, 20, -12, 26, 16, 11, 0xFF6A00, 0xFFE070);
}

// ---------------------------------------------------------------------------------------------
// Enemy kind 2: a small green spiked "hive" that spits swarms.

void drawHive(cairo_t* cr) {
    cairo_translate(cr, 25, 25);  // frame 50 × 50
    paintGlow(cr, 0, 0, 24, 0x50FF70, 0.35);
    // Spikes, the longest pair forward like mandibles.
    for (int k = 0; k < 9; ++k) {
        double a = -M_PI / 2 + (k + 0.5) * 2 * M_PI / 9;
        double len = 18.5;
        double ca = std::cos(a), sa = std::sin(a);
        cairo_move_to(cr, std::cos(a - 0.28) * 10, std::sin(a - 0.28) * 10);
        cairo_line_to(cr, ca * len, sa * len);
        cairo_line_to(cr, std::cos(a + 0.28) * 10, std::sin(a + 0.28) * 10);
        cairo_close_path(cr);
        setColour(cr, 0x2E8A3A);
        cairo_fill_preserve(cr);
        setColour(cr, 0x0C2A10);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
    }
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 3, -9);
        cairo_curve_to(cr, side * 9, -14, side * 7, -20, side * 3, -21);
        cairo_curve_to(cr, side * 5, -17, side * 4, -13, 0, -10);
        cairo_close_path(cr);
        setColour(cr, 0xB8FF70);
        cairo_fill(cr);
    }
    // Body.
    cairo_pattern_t* g = cairo_pattern_create_radial(-4, -5, 1, 0, 0, 12);
    const PatternOwner freeG{g};
    addStop(g, 0.0, 0xEFFFD0);
    addStop(g, 0.35, 0x7CEB5A);
    addStop(g, 1.0, 0x145A20);
    cairo_arc(cr, 0, 0, 12, 0, 2 * M_PI);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    setColour(cr, 0x0A2A0E);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
    // Cells of the hive.
    setColour(cr, 0x0F4A18, 0.6);
    cairo_set_line_width(cr, 0.8);
    for (int k = 0; k < 6; ++k) {
        double a = k * M_PI / 3;
        cairo_arc(cr, std::cos(a) * 6, std::sin(a) * 6 + 1, 2.6, 0, 2 * M_PI);
        cairo_stroke(cr);
    }
    // A glowing eye towards the front.
    paintGlow(cr, 0, -5, 7, 0xFFFF80, 0.9);
    drawDome(cr, 0, -5, 2.5, 2.5, 0xFFFFA0, 0x60A000);
}

}  // namespace

void drawPlayerShip(cairo_t* cr, ShipPose pose) {
    cairo_save(cr);
    cairo_translate(cr, 45, 0);  // x = 0 on the centre line
    if (pose.thrust) {
        drawFlame(cr, 0, 86, 0, 1, 16, 5.5, 0x2A8CFF, 0x9CF0FF);
    }
    // Engine glow under the hull.
    paintGlow(cr, 0, 84, 10, 0x40C8FF, pose.thrust ? 0.9 : 0.45);

    // Wings, swept back.
    for (int side = -1; side <= 1; side += 2) {
        cairo_move_to(cr, side * 9, 38);
        cairo_curve_to(cr, side * 20, 50, side * 32, 62, side * 38, 72);
        cairo_line_to(cr, side * 37, 80);
        cairo_curve_to(cr, side * 28, 78, side * 18, 75, side * 11, 73);
        cairo_close_path(cr);
        fillShaded(cr, side < 0 ? -38 : 8, side < 0 ? -8 : 38, 0x243E6E, 0x5C86C8, 0x0E1628, 1.0);
        // Leading-edge light strip and wing-tip lamps.
        setColour(cr, 0x62E6FF, 0.85);
        cairo_set_line_width(cr, 1.2);
        cairo_move_to(cr, side * 12, 43);
        cairo_curve_to(cr, side * 21, 52, side * 30, 62, side * 36, 71);
        cairo_stroke(cr);
        paintGlow(cr, side * 37, 76, 6, side < 0 ? 0xFF4060 : 0x40FF80, 0.9);
        // Tail fins.
        cairo_move_to(cr, side * 7, 66);
        cairo_line_to(cr, side * 16, 86);
        cairo_line_to(cr, side * 9, 85);
        cairo_line_to(cr, side * 5, 78);
        cairo_close_path(cr);
        fillShaded(cr, side < 0 ? -16 : 5, side < 0 ? -5 : 16, 0x34507E, 0x8AA8D8, 0x0E1628, 0.8);
    }

    // Fuselage.
    cairo_move_to(cr, 0, 6);
    cairo_curve_to(cr, 5, 12, 9, 24, 10, 40);
    cairo_curve_to(cr, 11, 56, 11, 70, 7, 84);
    cairo_line_to(cr, -7, 84);
    cairo_curve_to(cr, -11, 70, -11, 56, -10, 40);
    cairo_curve_to(cr, -9, 24, -5, 12, 0, 6);
    cairo_close_path(cr);
    fillShaded(cr, -11, 11, 0x5E708E, 0xEEF4FF, 0x121A2C, 1.1);

    // Spine line and intakes.
    setColour(cr, 0x8EA4C8, 0.9);
    cairo_set_line_width(cr, 0.8);
    cairo_move_to(cr, 0, 46);
    cairo_line_to(cr, 0, 80);
    cairo_stroke(cr);
    setColour(cr, 0x1A2236);
    roundedRectangle(cr, -9, 50, 3, 10, 1.2);
    roundedRectangle(cr, 6, 50, 3, 10, 1.2);
    cairo_fill(cr);

    // Cockpit canopy.
    paintGlow(cr, 0, 30, 10, 0x40E0FF, 0.5);
    drawDome(cr, 0, 30, 4.6, 10, 0x6EE8FF, 0x0C3A78);

    // Nozzle.
    setColour(cr, 0x1A2030);
    roundedRectangle(cr, -6, 82, 12, 5, 1.5);
    cairo_fill(cr);
    setColour(cr, 0x9CF0FF, pose.thrust ? 1.0 : 0.5);
    roundedRectangle(cr, -4, 84, 8, 2.5, 1.0);
    cairo_fill(cr);

    drawTurnJets(cr, pose, 8, 24, 12, 74, 11, 0x2A8CFF, 0xB8F4FF);
    cairo_restore(cr);
}

void enemyFrameSize(int kind, int& width, int& height) {
    static const int kSizes[3][2] = {{56, 60}, {68, 68}, {50, 50}};
    width = kSizes[kind][0];
    height = kSizes[kind][1];
}

void drawEnemyShip(cairo_t* cr, int kind, ShipPose pose) {
    cairo_save(cr);
    switch (kind) {
        case 0:
            drawLancer(cr, pose);
            break;
        case 1:
            drawBomber(cr, pose);
            break;
        default:
            drawHive(cr);
            break;
    }
    cairo_restore(cr);
}

void writeShipImages(ImageSink& sink) {
    // The poses 0..5 in the game's order: none, left, right, thrust, thrust and left, thrust and
    // right.
    constexpr ShipPose kPoses[6] = {{false, false, false}, {true, false, false},
                                    {false, true, false},  {false, false, true},
                                    {true, false, true},   {false, true, true}};
    for (int pose = 0; pose < 6; ++pose) {
        Canvas canvas(kShipWidth, kShipHeight);
        drawPlayerShip(canvas.cr(), kPoses[pose]);
        sink.save(canvas, kShipImageFiles[pose], BitmapFormat::StraightAlpha32);
    }

    // Enemy kinds 0 and 1, six poses each. Kind 1's "enemy20011" serves both left poses: it is
    // drawn once, as the first of them.
    int w = 0, h = 0;
    for (int kind = 0; kind < 2; ++kind) {
        enemyFrameSize(kind, w, h);
        for (int pose = 0; pose < 6; ++pose) {
            const char* file = kEnemyImageFiles[6 * kind + pose];
            bool drawn = false;
            for (int earlier = 0; earlier < pose; ++earlier) {
                drawn = drawn || std::strcmp(kEnemyImageFiles[6 * kind + earlier], file) == 0;
            }
            if (drawn) {
                continue;
            }
            Canvas canvas(w, h);
            drawEnemyShip(canvas.cr(), kind, kPoses[pose]);
            sink.save(canvas, file, BitmapFormat::StraightAlpha32);
        }
    }
    enemyFrameSize(2, w, h);
    Canvas canvas(w, h);
    drawEnemyShip(canvas.cr(), 2, ShipPose{});
    sink.save(canvas, kEnemy3ImageFile, BitmapFormat::StraightAlpha32);
}
