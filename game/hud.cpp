#include "game/hud.h"

#include "render/render.h"

namespace {

// The panel's layout (kPanelTop, kGaugeLeft, kBarLeft, …) is the data contract's: the asset
// generator draws the panel's wells where these pieces land.

constexpr int kHealthBarPixels = 2;  ///< bar pixels per point of health, less one
/// An ammo icon with any ammunition shows at 0.2 of full alpha plus 4/5 of its gauge's share.
constexpr float kAmmoShareNumerator = 4.0f;
constexpr float kAmmoShareDenominator = 5.0f;
constexpr float kAmmoAlphaFloor = 0.2f;
constexpr float kFullAlpha = 255.0f;

/// Blits the left `width` pixels (20 high) of a bar image at (kBarLeft, top); nothing when the
/// width is 0 or less.
void drawBar(SDL_Surface* image, SDL_Surface* screen, int width, Sint16 top) {
    if (image == nullptr || width <= 0) {
        return;
    }
    const SDL_Rect source{0, 0, static_cast<Uint16>(width), static_cast<Uint16>(kBarHeight)};
    blitAt(image, &source, screen, kBarLeft, top);
}

/// Alpha of weapon w's ammo icon: invisible when empty, above 51 with any ammunition, 255 when
/// full.
Uint8 ammoAlpha(int ammo, int capacity) {
    float a = static_cast<float>(ammo) / static_cast<float>(capacity) * kAmmoShareNumerator /
              kAmmoShareDenominator;
    if (a != 0.0f) {
        a += kAmmoAlphaFloor;
    }
    const int alpha = static_cast<int>(a * kFullAlpha);
    // Ammunition never exceeds its gauge's full scale in play; keep a stray value in range.
    return static_cast<Uint8>(alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha));
}

}  // namespace

void drawHud(GameState& state) {
    SDL_Surface* screen = state.screen;
    const Images& images = state.images;

    blitAt(images.front, nullptr, screen, 0, kPanelTop);

    const int weapon = state.player.weapon;
    if (weapon >= 0 && weapon < kWeaponCount) {
        blitAt(images.indicator[weapon], nullptr, screen, kGaugeLeft + kGaugeSpacing * weapon,
               kIndicatorTop);
    }

    for (int w = 1; w < kWeaponCount; ++w) {
        SDL_Surface* icon = images.ammo[w];
        if (icon == nullptr) {
            continue;
        }
        SDL_SetAlpha(icon, SDL_SRCALPHA, ammoAlpha(state.ammo[w], state.ammoCapacity[w]));
        blitAt(icon, nullptr, screen, kGaugeLeft + kGaugeSpacing * w, kAmmoTop);
    }

    // 199 pixels at full health; empty at 0, which is still alive.
    drawBar(images.health, screen, kHealthBarPixels * state.player.health - 1, kHealthBarTop);

    // 199 pixels at the start of a level, empty once the target is reached.
    float remaining = static_cast<float>(state.killTarget - state.kills) /
                      static_cast<float>(state.killTarget) * static_cast<float>(kBarWidth);
    if (remaining < 1.0f) {
        remaining = 1.0f;
    }
    drawBar(images.completion, screen, static_cast<int>(remaining - 1.0f), kCompletionBarTop);

    if (screen != nullptr) {
        SDL_Flip(screen);
    }
}
