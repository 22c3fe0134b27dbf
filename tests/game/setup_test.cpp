// Building a run from a data folder: what is loaded where and how it is prepared, and the one
// clear failure for every missing or unusable file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "game/game.h"
#include "play_world.h"

using play::DataFolder;

namespace {

/// Start-up pictures as SDL_main loads them.
struct StartImages {
    SDL_Surface* front = loadImage("play/front.bmp", nullptr);
    SDL_Surface* title = loadImage("images/titlescreen.bmp", nullptr);
    ~StartImages() {
        SDL_FreeSurface(front);
        SDL_FreeSurface(title);
    }
};

/// Set-up in the current folder; the reason when it fails.
bool setUp(GameState& state, std::string& reason) {
    StartImages start;
    const bool ok =
        setUpGame(state, play::dummyScreen(), start.front, start.title, kLevelFile, &reason);
    releaseGame(state);
    return ok;
}

void expectReleased(const GameState& state) {
    for (SDL_Surface* image : state.images.shot) {
        EXPECT_EQ(image, nullptr);
    }
    for (SDL_Surface* image : state.images.enemy) {
        EXPECT_EQ(image, nullptr);
    }
    EXPECT_EQ(state.images.levelUp, nullptr);
    EXPECT_EQ(state.playfield, nullptr);
    EXPECT_EQ(state.spriteScratch, nullptr);
    EXPECT_EQ(state.levels, nullptr);
    EXPECT_EQ(state.sounds.thrust, nullptr);
}

int indexOf(const std::string& file) {
    const std::vector<std::string> files = DataFolder::imageFiles();
    for (size_t n = 0; n < files.size(); ++n) {
        if (files[n] == file) {
            return static_cast<int>(n);
        }
    }
    return -1;
}

}  // namespace

TEST(SetUp, LoadsAndPreparesEveryImageSoundAndLevel) {
    DataFolder data(2);
    SDL_Surface* screen = play::dummyScreen();
    StartImages start;
    GameState state;
    std::string reason;
    ASSERT_TRUE(setUpGame(state, screen, start.front, start.title, kLevelFile, &reason)) << reason;
    const Images& images = state.images;

    // enemy20011 fills two slots with two surfaces; enemy3 fills six with one.
    EXPECT_NE(images.enemy[7], images.enemy[10]);
    EXPECT_EQ(play::pixel(images.enemy[7], 0, 0), play::pixel(images.enemy[10], 0, 0));
    for (int i = 13; i < 18; ++i) {
        EXPECT_EQ(images.enemy[i], images.enemy[12]);
    }
    EXPECT_EQ(play::pixel(images.enemy[12], 1, 1),
              DataFolder::imageValue(indexOf("images/enemy3.bmp")));
    EXPECT_EQ(play::pixel(images.ship[4], 2, 2),
              DataFolder::imageValue(indexOf("images/ship011.bmp")));

    // Shot images 0..19 and every explosion become alpha images holding the file's bytes.
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(images.shot[i]->format->Amask, 0xFF000000u) << i;
        EXPECT_TRUE(images.shot[i]->flags & SDL_SRCALPHA) << i;
    }
    EXPECT_EQ(play::pixel(images.shot[19], 3, 3),
              DataFolder::imageValue(indexOf("images/blackhole.bmp")));
    EXPECT_EQ(play::pixel(images.shot[2], 0, 0),
              DataFolder::imageValue(indexOf("images/newtriplebomb00.bmp")));
    for (SDL_Surface* explosion : images.explosion) {
        EXPECT_EQ(explosion->format->Amask, 0xFF000000u);
        EXPECT_EQ(explosion->format->Rmask, 0x00FF0000u);
    }
    EXPECT_EQ(play::pixel(images.explosion[6], 0, 0),
              DataFolder::imageValue(indexOf("images/blue explosion1.bmp")));
    // The shrapnel stays as loaded; the pick-ups are keyed on magenta.
    for (int i = 20; i < 26; ++i) {
        EXPECT_FALSE(images.shot[i]->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY)) << i;
    }
    for (int i = 26; i < 32; ++i) {
        EXPECT_TRUE(images.shot[i]->flags & SDL_SRCCOLORKEY) << i;
        EXPECT_EQ(images.shot[i]->format->colorkey, 0xFF00FFu) << i;
    }
    EXPECT_EQ(images.ammo[0], nullptr);
    EXPECT_NE(images.ammo[4], nullptr);
    EXPECT_EQ(images.front, start.front);
    EXPECT_TRUE(start.front->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(start.front->format->colorkey & 0xFFFFFF, 0xFF00FFu);

    // The surfaces the game makes.
    ASSERT_NE(state.spriteScratch, nullptr);
    EXPECT_EQ(state.spriteScratch->w, 122);
    EXPECT_EQ(state.spriteScratch->format->Amask, 0xFF000000u);
    EXPECT_EQ(state.spriteScratch->format->colorkey, 0xFF00FFu);
    ASSERT_NE(state.playfield, nullptr);
    EXPECT_EQ(state.playfield->w, 1200);
    EXPECT_EQ(state.playfield->h, 1000);
    EXPECT_TRUE(state.playfield->flags & SDL_SRCCOLORKEY);
    EXPECT_EQ(state.playfield->format->colorkey, 0u);
    EXPECT_EQ(play::pixel(state.playfield, 20, 20) & 0xFFFFFF, 0xFFFFFFu);  // white between lines

    // The level set and the start values.
    ASSERT_NE(state.levels, nullptr);
    EXPECT_EQ(state.levels->count, 2);
    EXPECT_EQ(state.currentLattice, state.levels->lattices[0].get());
    EXPECT_FLOAT_EQ(state.currentLattice->columns, 20.0f);
    EXPECT_EQ(state.running, -1);
    EXPECT_FLOAT_EQ(state.player.x, 900.0f);
    EXPECT_EQ(state.player.weapon, 1);
    EXPECT_EQ(state.player.health, 100);
    for (int e = 0; e < kEnemyCount; ++e) {
        EXPECT_EQ(state.enemies[e].respawnCountdown, 50);
        EXPECT_FLOAT_EQ(state.enemies[e].y, 100.0f * e);
        EXPECT_FLOAT_EQ(state.enemies[e].heading, 20.0f * e);
    }
    EXPECT_EQ(state.rapidFireTicks, -20000);
    EXPECT_EQ(state.killTarget, 30);
    EXPECT_EQ(state.drawnCellY, 12);

    // The loading screen shows the panel picture.
    EXPECT_EQ(play::pixel(screen, 400, 300) & 0xFFFFFF, 0x405060u);

    // Sounds (the dummy audio driver opens): Swarm hits are silent.
    ASSERT_NE(state.sounds.largeExplosion, nullptr);
    EXPECT_EQ(state.sounds.impact[Swarm], nullptr);
    EXPECT_EQ(state.sounds.impact[PurpleLaser], state.sounds.laser);
    EXPECT_EQ(state.sounds.impact[TripleBomb], state.sounds.smallExplosion);
    EXPECT_EQ(state.sounds.impact[SimpleShot], state.sounds.smallFastImpact);
    EXPECT_EQ(state.sounds.impact[Shrapnel6], state.sounds.smallFastImpact);
    EXPECT_EQ(Mix_AllocateChannels(-1), 32);

    releaseGame(state);
    expectReleased(state);
}

TEST(SetUpFailures, EveryMissingFileIsNamedAndNothingIsLeftBehind) {
    DataFolder data(1);
    std::vector<std::string> files = DataFolder::imageFiles();
    for (const std::string& sound : DataFolder::soundFiles()) {
        files.push_back(sound);
    }
    files.push_back("foo3.lvl");
    for (const std::string& file : files) {
        std::filesystem::rename(file, file + ".away");
        GameState state;
        std::string reason;
        EXPECT_FALSE(setUp(state, reason)) << file;
        EXPECT_EQ(reason.rfind(file + ": ", 0), 0u) << reason;
        EXPECT_EQ(reason.find('\n'), std::string::npos) << reason;
        expectReleased(state);
        std::filesystem::rename(file + ".away", file);
    }
    GameState state;
    std::string reason;
    EXPECT_TRUE(setUp(state, reason)) << reason;
}

TEST(SetUpFailures, UnusableFilesAreRefusedWithTheirReason) {
    DataFolder data(1);
    GameState state;
    std::string reason;

    // An alpha image must hold 32 bits a pixel: its bytes are copied as they are.
    play::writeBitmap24("images/blackhole.bmp", 30, 30, 0x102030);
    EXPECT_FALSE(setUp(state, reason));
    EXPECT_EQ(reason.rfind("images/blackhole.bmp: ", 0), 0u) << reason;
    EXPECT_NE(reason.find("32 bits"), std::string::npos) << reason;
    play::writeBitmap32("images/blackhole.bmp", 30, 30, 0xFF102030);

    // So must a picture that is drawn turned.
    play::writeBitmap24("images/ship101.bmp", 90, 103, 0x102030);
    EXPECT_FALSE(setUp(state, reason));
    EXPECT_EQ(reason.rfind("images/ship101.bmp: ", 0), 0u) << reason;
    play::writeBitmap32("images/ship101.bmp", 90, 103, 0xFF102030);

    // A file that is not a bitmap at all.
    { std::ofstream("images/health.bmp") << "not a bitmap"; }
    EXPECT_FALSE(setUp(state, reason));
    EXPECT_EQ(reason.rfind("images/health.bmp: ", 0), 0u) << reason;
    play::writeBitmap32("images/health.bmp", 200, 20, 0xFF00FF00);

    // A level file that is not one, and one with no levels.
    { std::ofstream("foo3.lvl") << "xx"; }
    EXPECT_FALSE(setUp(state, reason));
    EXPECT_NE(reason.find("foo3.lvl"), std::string::npos) << reason;
    LevelSet empty;
    ASSERT_EQ(writeLevelFile(empty, "foo3.lvl"), 0);
    EXPECT_FALSE(setUp(state, reason));
    EXPECT_EQ(reason, "foo3.lvl: holds no levels");
    expectReleased(state);

    // A sound that is not a WAV file.
    LevelSet one;
    one.appendLattice(10, 10);
    ASSERT_EQ(writeLevelFile(one, "foo3.lvl"), 0);
    { std::ofstream("sfx/respawn.wav") << "RIFF but not really"; }
    EXPECT_FALSE(setUp(state, reason));
    EXPECT_EQ(reason.rfind("sfx/respawn.wav: ", 0), 0u) << reason;
    expectReleased(state);
}
