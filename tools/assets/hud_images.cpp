#include "tools/assets/hud_images.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "tools/assets/screen_images.h"
#include "tools/assets/shot_images.h"

namespace {

constexpr uint32_t kWellColour = 0x070A10;
const char* const kWeaponNames[5] = {"GUN", "LASER", "BOMB", "SWARM", "HOLE"};

/// The label of weapon w's indicator: its key and short name.
void drawIndicatorFace(cairo_t* cr, int weapon, bool lit) {
    const uint32_t col = weaponColour(weapon);
    const double w = kIndicatorWidth;
    const double h = kIndicatorHeight;
    if (lit) {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, h);
        const PatternOwner freeG{g};
        addStop(g, 0.0, mixColour(col, 0xFFFFFF, 0.35));
        addStop(g, 0.5, col);
        addStop(g, 1.0, mixColour(col, 0x000000, 0.45));
        roundedRectangle(cr, 0, 0, w, h, 5);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        setColour(cr, 0xFFFFFF, 0.8);
        cairo_set_line_width(cr, 1.5);
        roundedRectangle(cr, 1, 1, w - 2, h - 2, 4.5);
        cairo_stroke(cr);
    }
    char key[2] = {static_cast<char>('1' + weapon), 0};
    selectFont(cr, 11, true);
    setColour(cr, lit ? 0x10121A : mixColour(col, 0x000000, 0.45));
    centredText(cr, key, 7, h / 2);
    selectFont(cr, 7.5, true);
    centredText(cr, kWeaponNames[weapon], 28.5, h / 2);
}

/// The weapon panel fill behind every piece of the display.
void fillPanelMetal(cairo_t* cr, double top, double bottom) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, top, 0, bottom);
    const PatternOwner freeG{g};
    addStop(g, 0.0, 0x2A3650);
    addStop(g, 0.08, 0x1A2236);
    addStop(g, 1.0, 0x0A0E18);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
}

/// A recessed well at (x, y, w, h) with a light lower edge.
void drawWell(cairo_t* cr, double x, double y, double w, double h) {
    roundedRectangle(cr, x, y, w, h, 5);
    setColour(cr, kWellColour);
    cairo_fill(cr);
    roundedRectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1, 4.5);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    const PatternOwner freeG{g};
    addStop(g, 0.0, 0x000000, 0.9);
    addStop(g, 1.0, 0x5A7090, 0.9);
    cairo_set_source(cr, g);
    cairo_set_line_width(cr, 1.0);
    cairo_stroke(cr);
}

/// The panel's rows on screen: from kPanelTop down to the bottom of the 600-row window.
constexpr int kPanelRows = 600 - kPanelTop;

/// The 800-wide panel; `top` is its picture row for screen row kPanelTop.
void drawPanel(cairo_t* cr, double top) {
    const double bodyTop = top + 84;   // under the weapon indicators at screen row 510
    const double wingTop = top + 112;  // the panel's outer ends sit lower
    const double bottom = top + kPanelRows;
    cairo_move_to(cr, 0, bottom);
    cairo_line_to(cr, 0, wingTop);
    cairo_curve_to(cr, 60, wingTop, 80, bodyTop, 140, bodyTop);
    cairo_line_to(cr, 710, bodyTop);
    cairo_curve_to(cr, 750, bodyTop, 770, wingTop, 800, wingTop);
    cairo_line_to(cr, 800, bottom);
    cairo_close_path(cr);
    fillPanelMetal(cr, bodyTop, bottom);
    cairo_new_path(cr);
    // A lit edge along the top.
    setColour(cr, 0x50D8FF, 0.9);
    cairo_set_line_width(cr, 2.0);
    cairo_move_to(cr, 0, wingTop + 1);
    cairo_curve_to(cr, 60, wingTop + 1, 80, bodyTop + 1, 140, bodyTop + 1);
    cairo_line_to(cr, 710, bodyTop + 1);
    cairo_curve_to(cr, 750, bodyTop + 1, 770, wingTop + 1, 800, wingTop + 1);
    cairo_stroke(cr);

    // Weapon slots: indicator wells above ammunition wells.
    for (int w = 0; w < 5; ++w) {
        double x = kGaugeLeft + kGaugeSpacing * w;
        drawWell(cr, x - 2, top + (kIndicatorTop - kPanelTop) - 2, kIndicatorWidth + 4,
                 kIndicatorHeight + 4);
        cairo_save(cr);
        cairo_translate(cr, x, top + (kIndicatorTop - kPanelTop));
        drawIndicatorFace(cr, w, false);
        cairo_restore(cr);
        drawWell(cr, x - 2, top + (kAmmoTop - kPanelTop) - 2, kAmmoWidth + 4, kAmmoHeight + 4);
    }
    // Weapon 0 needs no ammunition.
    selectFont(cr, 22, true);
    setColour(cr, weaponColour(0), 0.55);
    centredText(cr, "\u221E", kGaugeLeft + kAmmoWidth / 2.0, top + (kAmmoTop - kPanelTop) + 20);

    // Labels to the left of the slots.
    selectFont(cr, 10, true);
    setColour(cr, 0x8CA8C8);
    const double labelRight = kGaugeLeft - 12;
    const char* labels[2] = {"WEAPON", "AMMO"};
    const double labelY[2] = {kIndicatorTop + kIndicatorHeight / 2.0, kAmmoTop + kAmmoHeight / 2.0};
    for (int k = 0; k < 2; ++k) {
        cairo_move_to(cr, labelRight - textWidth(cr, labels[k]), top + labelY[k] - kPanelTop + 4);
        cairo_show_text(cr, labels[k]);
    }

    // Bar frames with their labels.
    const char* barLabels[2] = {"HULL", "TARGET"};
    const int barY[2] = {kHealthBarTop, kCompletionBarTop};
    for (int k = 0; k < 2; ++k) {
        double y = top + barY[k] - kPanelTop;
        roundedRectangle(cr, kBarLeft - 4, y - 4, kBarWidth + 8, kBarHeight + 8, 5);
        setColour(cr, 0x4A6080);
        cairo_fill(cr);
        cairo_rectangle(cr, kBarLeft - 1, y - 1, kBarWidth + 2, kBarHeight + 2);
        setColour(cr, kWellColour);
        cairo_fill(cr);
        // Tick marks every tenth of the bar.
        setColour(cr, 0x20304A);
        cairo_set_line_width(cr, 1.0);
        for (int t = 1; t < 10; ++t) {
            cairo_move_to(cr, kBarLeft + t * 20 + 0.5, y + 2);
            cairo_line_to(cr, kBarLeft + t * 20 + 0.5, y + kBarHeight - 2);
        }
        cairo_stroke(cr);
        selectFont(cr, 10, true);
        setColour(cr, 0x8CA8C8);
        cairo_move_to(cr, kBarLeft - 12 - textWidth(cr, barLabels[k]), y + kBarHeight / 2.0 + 4);
        cairo_show_text(cr, barLabels[k]);
    }

    // The game's name at the left, status lamps at the right.
    drawGlowText(cr, "LUMEN", 70, top + 135, 20, 0x40D8FF);
    drawGlowText(cr, "DRIFT", 70, top + 158, 20, 0x40D8FF);
    const uint32_t lamps[3] = {0x40FF80, 0xFFD040, 0xFF4060};
    for (int k = 0; k < 3; ++k) {
        double x = 735 + k * 18;
        drawWell(cr, x - 7, top + 135, 14, 14);
        paintGlow(cr, x, top + 142, 8, lamps[k], 0.8);
    }
}

}  // namespace

void writeHudImages(ImageSink& sink) {
    for (int w = 0; w < 5; ++w) {
        Canvas canvas(kIndicatorWidth, kIndicatorHeight);
        setColour(canvas.cr(), kWellColour);
        cairo_paint(canvas.cr());
        drawIndicatorFace(canvas.cr(), w, true);
        sink.save(canvas, kIndicatorImageFiles[w], BitmapFormat::Opaque24);
    }
    // Ammunition icons are faded in over their dark wells by the game (per-surface alpha), so they
    // carry the well's own colour as background.
    for (int w = 1; w <= 4; ++w) {
        Canvas canvas(kAmmoWidth, kAmmoHeight);
        cairo_t* cr = canvas.cr();
        setColour(cr, kWellColour);
        cairo_paint(cr);
        cairo_save(cr);
        cairo_translate(cr, kAmmoWidth / 2.0, kAmmoHeight / 2.0);
        drawWeaponIcon(cr, w, 13);
        cairo_restore(cr);
        sink.save(canvas, kAmmoImageFiles[w], BitmapFormat::Opaque24);
    }
    // Bars: drawn from their left end, so the colour at the left is what a nearly empty bar shows.
    struct Bar {
        const char* file;
        uint32_t stops[3];
    };
    const Bar bars[2] = {{kHealthImageFile, {0xE02030, 0xF0C020, 0x30E060}},
                         {kCompletionImageFile, {0x2050E0, 0x30B0F0, 0xA0F0FF}}};
    for (const Bar& bar : bars) {
        Canvas canvas(kBarWidth, kBarHeight);
        cairo_t* cr = canvas.cr();
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, kBarWidth, 0);
        const PatternOwner freeG{g};
        addStop(g, 0.0, bar.stops[0]);
        addStop(g, 0.5, bar.stops[1]);
        addStop(g, 1.0, bar.stops[2]);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        // Gloss on the upper half, shade at the bottom.
        cairo_pattern_t* gloss = cairo_pattern_create_linear(0, 0, 0, kBarHeight);
        const PatternOwner freeGloss{gloss};
        addStop(gloss, 0.0, 0xFFFFFF, 0.55);
        addStop(gloss, 0.45, 0xFFFFFF, 0.1);
        addStop(gloss, 0.55, 0x000000, 0.0);
        addStop(gloss, 1.0, 0x000000, 0.45);
        cairo_set_source(cr, gloss);
        cairo_paint(cr);
        // Segments every tenth.
        setColour(cr, 0x000000, 0.35);
        for (int t = 1; t < 10; ++t) {
            cairo_rectangle(cr, t * 20 - 1, 0, 1, kBarHeight);
        }
        cairo_fill(cr);
        sink.save(canvas, bar.file, BitmapFormat::Opaque24);
    }

    // The front panel: its top kPanelRows rows are the panel shown at (0, kPanelTop) in play; the
    // transparent area above the panel's edge is magenta. The whole picture is the loading screen,
    // so the rows below the panel (never on screen during play) carry the loading message.
    Canvas canvas(800, 600);
    cairo_t* cr = canvas.cr();
    drawLoadingArea(cr, kPanelRows, kPanelTop);
    drawPanel(cr, 0);
    sink.save(canvas, kFrontImageFile, BitmapFormat::KeyedMagenta32);
}
