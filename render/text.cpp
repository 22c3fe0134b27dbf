// Bitmap text from a font strip: one blit per character, glyph cells 7 pixels apart.

#include "render/render.h"
#include "shared/data_contract.h"

void drawText(SDL_Surface* target, SDL_Surface* fontStrip, const char* text, Sint16 x, Sint16 y) {
    SDL_Rect glyph;
    glyph.x = 0;
    glyph.y = 0;
    glyph.w = static_cast<Uint16>(kGlyphWidth);
    glyph.h = static_cast<Uint16>(kGlyphHeight);
    // One destination record for the whole string: SDL_UpperBlit writes the clipped rectangle
    // back into it, and the next glyph advances from whatever the previous blit left there.
    SDL_Rect destination;
    destination.x = x;
    destination.y = y;
    destination.w = 0;
    destination.h = 0;
    for (const char* c = text; *c != '\0'; ++c) {
        const int code = static_cast<signed char>(*c);  // bytes above 127 are negative codes
        destination.x = static_cast<Sint16>(destination.x + kGlyphAdvance);
        glyph.x = static_cast<Sint16>((code - 1) * kGlyphAdvance);
        SDL_UpperBlit(fontStrip, &glyph, target, &destination);
    }
}
