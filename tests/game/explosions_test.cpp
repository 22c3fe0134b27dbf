// The explosion pass: six frames at the kind's corner, then the slot is free.
#include <gtest/gtest.h>

#include "game/explosions.h"
#include "game/spawn.h"
#include "world.h"

using play::pixel;

TEST(ExplosionPass, EachKindShowsItsSixFramesAtItsCornerThenRetires) {
    play::World a(play::kArena);
    a->camera = {100, 50, a->camera.w, a->camera.h};
    struct Case {
        int kind;
        float x, y;  ///< world position; the screen corner is the picture position less the offset
        int left, top;
    };
    // Blue and large blasts sit 90 pixels up and left of the point, small ones 50.
    const Case cases[] = {{BlueExplosion, 1000, 1000, 300 - 90, 350 - 90},
                          {LargeExplosion, 1500, 1000, 500 - 90, 350 - 90},
                          {SmallExplosion, 1000, 1500, 300 - 50, 550 - 50}};
    for (const Case& c : cases) {
        for (int frame = 0; frame < kExplosionFrames; ++frame) {  // 8 × 8 frames of colours
            a->images.explosion[kExplosionFrames * c.kind + frame] =
                a.keep(play::image(8, 8, 0x100000u * (c.kind + 1) + frame, true));
        }
        spawnExplosion(a->explosions, play::ship(0, c.x, c.y)).kind = c.kind;
    }
    a->images.explosion[kExplosionFrames * LargeExplosion + 2] = nullptr;  // missing: not drawn
    for (int frame = 0; frame <= kExplosionFrames; ++frame) {
        SDL_FillRect(a->screen, nullptr, 0);
        drawExplosions(*a);
        for (const Case& c : cases) {
            const bool shown = frame < kExplosionFrames && (c.kind != LargeExplosion || frame != 2);
            const Uint32 colour = shown ? 0x100000u * (c.kind + 1) + frame : 0u;
            EXPECT_EQ(pixel(a->screen, c.left, c.top), colour) << c.kind << ", " << frame;
            EXPECT_EQ(pixel(a->screen, c.left + 7, c.top + 7), colour) << c.kind << ", " << frame;
            EXPECT_EQ(pixel(a->screen, c.left - 1, c.top), 0u);
            EXPECT_EQ(pixel(a->screen, c.left + 8, c.top + 7), 0u);
        }
        EXPECT_EQ(a->explosions.live[0] + a->explosions.live[1] + a->explosions.live[2],
                  frame < kExplosionFrames - 1 ? 3 : 0)
            << frame;
    }
}
