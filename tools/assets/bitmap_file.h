#pragma once
// Writing Cairo pictures as Windows bitmaps in the pixel formats the game's loader and blits
// expect.

#include <cairo.h>

#include <string>

/// How a drawn picture becomes bitmap pixels.
enum class BitmapFormat {
    /// 32 bits, the fourth byte the straight (not premultiplied) alpha: alpha images and every
    /// sprite that is rotated into the scratch surface.
    StraightAlpha32,
    /// 32 bits, fully opaque; pixels less than half covered become magenta 0xFF00FF with a fourth
    /// byte of 0xFF, so that the game's colour key 0xFFFF00FF matches them exactly.
    KeyedMagenta32,
    /// 24 bits; pixels less than half covered become magenta 0xFF00FF (colour key 0xFF00FF), the
    /// others are laid over black.
    KeyedMagenta24,
    /// 24 bits, laid over black.
    Opaque24,
};

/// Writes the ARGB32 surface to path in the given format (bottom-up rows, BI_RGB). Returns false
/// and fills *reason when the file cannot be written.
bool writeBitmap(cairo_surface_t* surface, const std::string& path, BitmapFormat format,
                 std::string* reason);
