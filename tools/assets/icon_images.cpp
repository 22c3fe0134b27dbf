#include "tools/assets/icon_images.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "tools/assets/paint.h"
#include "tools/assets/screen_images.h"
#include "tools/assets/ship_images.h"

namespace {

/// The icon is drawn once in a 256 × 256 design space and scaled, so every size is sharp.
constexpr double kDesignSize = 256.0;
/// Icon edge lengths in pixels, the hicolor sizes the package installs.
constexpr int kIconSizes[] = {48, 128, 256};

/// Draws the icon into cr's current transform, filling (0, 0)–(256, 256).
void drawIcon(cairo_t* cr) {
    const double margin = 8.0;
    const double tile = kDesignSize - 2 * margin;
    cairo_save(cr);
    roundedRectangle(cr, margin, margin, tile, tile, 44.0);
    cairo_clip(cr);
    Random random(0x1C0Bull);
    drawBackdrop(cr, random, margin, margin, tile, tile);
    drawWarpedGrid(cr, margin, margin, tile, tile, 0.9);
    // A halo behind the ship keeps it readable over the grid at 48 pixels.
    paintGlow(cr, 128, 132, 96, 0x02040C, 0.85);
    paintGlow(cr, 128, 150, 60, 0x40C8FF, 0.35);
    cairo_restore(cr);

    // The ship, nose up with its engine lit, about two thirds of the tile high.
    const double shipScale = 1.6;
    cairo_save(cr);
    cairo_translate(cr, 128 - 45 * shipScale, 132 - 52 * shipScale);
    cairo_scale(cr, shipScale, shipScale);
    drawPlayerShip(cr, ShipPose{false, false, true});
    cairo_restore(cr);

    // A thin bright rim around the tile.
    roundedRectangle(cr, margin + 1.5, margin + 1.5, tile - 3, tile - 3, 42.5);
    setColour(cr, 0x40FF80, 0.55);
    cairo_set_line_width(cr, 3.0);
    cairo_stroke(cr);
}

}  // namespace

bool writeIconImages(const std::string& folder, std::string* reason) {
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
        *reason = folder + ": cannot create folder: " + std::strerror(errno);
        return false;
    }
    for (int size : kIconSizes) {
        Canvas canvas(size, size);
        cairo_scale(canvas.cr(), size / kDesignSize, size / kDesignSize);
        drawIcon(canvas.cr());
        cairo_surface_flush(canvas.surface());
        const std::string path = folder + "/lumendrift-" + std::to_string(size) + ".png";
        cairo_status_t status = cairo_surface_write_to_png(canvas.surface(), path.c_str());
        if (status != CAIRO_STATUS_SUCCESS) {
            *reason = path + ": cannot write: " + cairo_status_to_string(status);
            return false;
        }
    }
    return true;
}
