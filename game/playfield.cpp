// The Playfield: the current Lattice drawn once per Camera cell, and the view cut from it.
#include "game/playfield.h"

#include "render/render.h"

namespace {

constexpr int kCellSize = 100;  ///< picture pixels; the Playfield is redrawn per Camera cell
constexpr Uint16 kViewWidth = 800;
constexpr Uint16 kViewHeight = 600;

}  // namespace

void redrawPlayfield(GameState& state) {
    SDL_FillRect(state.playfield, nullptr, 0);
    drawLattice(state.playfield, *state.currentLattice, 1, -kCellSize * state.drawnCellX,
                -kCellSize * state.drawnCellY);
}

/// The division truncates towards zero, so cells −0.99 … 0.99 are all cell 0.
void followCameraCell(GameState& state) {
    const int cx = state.camera.x / kCellSize;
    const int cy = state.camera.y / kCellSize;
    if (cx != state.drawnCellX || cy != state.drawnCellY) {
        state.drawnCellX = cx;
        state.drawnCellY = cy;
        redrawPlayfield(state);
    }
}

/// With a negative Camera the remainder is negative too, the blit is clipped and a black strip
/// stays at the left or top edge of the view.
void drawBackground(GameState& state) {
    const SDL_Rect source{static_cast<Sint16>(state.camera.x % kCellSize),
                          static_cast<Sint16>(state.camera.y % kCellSize), kViewWidth, kViewHeight};
    blitAt(state.playfield, &source, state.screen, 0, 0);
}
