#include "tools/assets/font_image.h"

#include <cmath>

namespace {

constexpr int kFirstCode = 1;
constexpr int kLastCode = 127;
constexpr double kFontSize = 10.0;  ///< pixels; DejaVu Sans Mono advances about 6 at this size
constexpr double kBaseline = 11.0;  ///< pixel row of the baseline within a box
constexpr uint32_t kInk = 0xE8ECF0;

}  // namespace

void writeFontImage(ImageSink& sink) {
    Canvas canvas((kLastCode - kFirstCode) * kGlyphAdvance + kGlyphWidth, kGlyphHeight);
    cairo_t* cr = canvas.cr();
    // Glyph pixels must come out fully on or off, so the strip is drawn without smoothing.
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_NONE);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_FULL);
    cairo_set_font_options(cr, options);
    cairo_font_options_destroy(options);
    cairo_select_font_face(cr, "DejaVu Sans Mono", CAIRO_FONT_SLANT_NORMAL,
                           CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, kFontSize);
    setColour(cr, kInk);
    for (int code = 33; code <= 126; ++code) {  // printable ASCII; the rest stay blank
        const char text[2] = {static_cast<char>(code), '\0'};
        const double left = (code - kFirstCode) * kGlyphAdvance;
        cairo_text_extents_t extents;
        cairo_text_extents(cr, text, &extents);
        cairo_save(cr);
        cairo_rectangle(cr, left, 0, kGlyphWidth, kGlyphHeight);
        cairo_clip(cr);
        // The ink, not the advance, is centred: wide glyphs would otherwise lose their right edge.
        cairo_move_to(cr,
                      left + std::round((kGlyphWidth - extents.width) / 2.0 - extents.x_bearing),
                      kBaseline);
        cairo_show_text(cr, text);
        cairo_restore(cr);
    }
    // Uncovered pixels become the key colour magenta when the strip is written.
    sink.save(canvas, kEditorFontFile, BitmapFormat::KeyedMagenta24);
}
