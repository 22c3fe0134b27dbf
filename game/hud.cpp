#include "game/hud.h"

namespace {

constexpr Sint16 kPanelTop = 415;
constexpr int kGaugeLeft = 160;  ///< weapon w's indicator and ammo icon sit at 160 + 50·w
constexpr int kGaugeSpacing = 50;
constexpr Sint16 kIndicatorTop = 510;
constexpr Sint16 kAmmoTop = 540;
constexpr Sint16 kBarLeft = 490;
constexpr Sint16 kHealthBarTop = 530;
constexpr Sint16 kCompletionBarTop = 560;
constexpr Uint16 kBarHeight = 20;
constexpr float kBarScale = 200.0f;  ///< pixels of a full completion bar, before the −1

/// Blits a whole image with its top-left corner at (x, y); a missing image draws nothing.
void blitAt(SDL_Surface* image, SDL_Surface* screen, int x, int y) {
    if (image == nullptr) {
        return;
    }
    SDL_Rect corner{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_UpperBlit(image, nullptr, screen, &corner);
}

/// Blits the left `width` pixels (20 high) of a bar image at (kBarLeft, top); nothing when the
/// width is 0 or less.
void drawBar(SDL_Surface* image, SDL_Surface* screen, int width, Sint16 top) {
    if (image == nullptr || width <= 0) {
        return;
    }
    SDL_Rect source{0, 0, static_cast<Uint16>(width), kBarHeight};
    SDL_Rect corner{kBarLeft, top, 0, 0};
    SDL_UpperBlit(image, &source, screen, &corner);
}

/// Alpha of weapon w's ammo icon: invisible when empty, above 51 with any ammunition, 255 when
/// full.
Uint8 ammoAlpha(int ammo, int capacity) {
    float a = static_cast<float>(ammo) / static_cast<float>(capacity) * 4.0f / 5.0f;
    if (a != 0.0f) {
        a += 0.2f;
    }
    const int alpha = static_cast<int>(a * 255.0f);
    // Ammunition never exceeds its gauge's full scale in play; keep a stray value in range.
    return static_cast<Uint8>(alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha));
}

}  // namespace

void drawHud(GameState& state) {
    SDL_Surface* screen = state.screen;
    const Images& images = state.images;

    blitAt(images.front, screen, 0, kPanelTop);

    const int weapon = state.player.weapon;
    if (weapon >= 0 && weapon < kWeaponCount) {
        blitAt(images.indicator[weapon], screen, kGaugeLeft + kGaugeSpacing * weapon,
               kIndicatorTop);
    }

    for (int w = 1; w < kWeaponCount; ++w) {
        SDL_Surface* icon = images.ammo[w];
        if (icon == nullptr) {
            continue;
        }
        SDL_SetAlpha(icon, SDL_SRCALPHA, ammoAlpha(state.ammo[w], state.ammoCapacity[w]));
        blitAt(icon, screen, kGaugeLeft + kGaugeSpacing * w, kAmmoTop);
    }

    // 199 pixels at full health; empty at 0, which is still alive.
    drawBar(images.health, screen, 2 * state.player.health - 1, kHealthBarTop);

    // 199 pixels at the start of a level, empty once the target is reached.
    float remaining = static_cast<float>(state.killTarget - state.kills) /
                      static_cast<float>(state.killTarget) * kBarScale;
    if (remaining < 1.0f) {
        remaining = 1.0f;
    }
    drawBar(images.completion, screen, static_cast<int>(remaining - 1.0f), kCompletionBarTop);

    if (screen != nullptr) {
        SDL_Flip(screen);
    }
}
