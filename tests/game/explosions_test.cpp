// The explosion pass: six frames at the right corner, then the slot is free.
#include <gtest/gtest.h>

#include "game/explosions.h"
#include "game/spawn.h"
#include "world.h"

using play::World;

namespace {

/// Gives explosion kind `kind` six 8 × 8 opaque frames of the colours base + frame.
void giveFrames(World& a, int kind, Uint32 base) {
    for (int frame = 0; frame < kExplosionFrames; ++frame) {
        a->images.explosion[kExplosionFrames * kind + frame] =
            a.keep(play::image(8, 8, base + static_cast<Uint32>(frame), true));
    }
}

}  // namespace

TEST(ExplosionPass, ShowsSixFramesOneEachThenRetires) {
    World a;
    a.arena();
    giveFrames(a, BlueExplosion, 0x000040);
    a->camera.x = 100;
    a->camera.y = 50;
    Ship source = play::ship(0, 1000.0f, 1000.0f);  // picture (400, 400)
    Explosion& blast = spawnExplosion(a->explosions, source);
    blast.kind = BlueExplosion;
    for (int frame = 0; frame < kExplosionFrames; ++frame) {
        ASSERT_EQ(a->explosions.live[0], 1) << frame;
        SDL_FillRect(a->screen, nullptr, 0);
        drawExplosions(*a);
        // Top-left corner at the screen position minus 90 on both axes.
        EXPECT_EQ(play::pixel(a->screen, 210, 260), 0x000040u + frame);
        EXPECT_EQ(play::pixel(a->screen, 217, 267), 0x000040u + frame);
        EXPECT_EQ(play::pixel(a->screen, 209, 260), 0u);
        EXPECT_EQ(play::pixel(a->screen, 218, 267), 0u);
    }
    EXPECT_EQ(a->explosions.live[0], 0);
    SDL_FillRect(a->screen, nullptr, 0);
    drawExplosions(*a);
    EXPECT_EQ(play::pixel(a->screen, 210, 260), 0u);
}

TEST(ExplosionPass, SmallBlastsSitFiftyPixelsUpAndLeft) {
    World a;
    a.arena();
    giveFrames(a, SmallExplosion, 0x004000);
    giveFrames(a, LargeExplosion, 0x400000);
    Ship source = play::ship(0, 500.0f, 250.0f);  // picture (200, 100)
    Explosion& small = spawnExplosion(a->explosions, source);
    small.kind = SmallExplosion;
    Explosion& large = spawnExplosion(a->explosions, source);
    large.kind = LargeExplosion;
    large.age = 3;  // picks up at its fourth frame
    drawExplosions(*a);
    EXPECT_EQ(play::pixel(a->screen, 150, 50), 0x004000u);
    EXPECT_EQ(play::pixel(a->screen, 110, 10), 0x400003u);
    EXPECT_EQ(a->explosions.explosions[1].age, 4);
    drawExplosions(*a);
    drawExplosions(*a);
    EXPECT_EQ(a->explosions.live[1], 0);  // ages 3, 4, 5 shown: done
    EXPECT_EQ(a->explosions.live[0], 1);
}

TEST(ExplosionPass, MissingImagesStillAdvance) {
    World a;
    a.arena();
    a->images.explosion.fill(nullptr);
    Ship source = play::ship(0, 500.0f, 250.0f);
    spawnExplosion(a->explosions, source);
    for (int frame = 0; frame < kExplosionFrames; ++frame) {
        drawExplosions(*a);
    }
    EXPECT_EQ(a->explosions.live[0], 0);
}
