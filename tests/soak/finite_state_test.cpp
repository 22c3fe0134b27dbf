// A long run of the real game from the data folder on random held keys, checking after every frame
// that every ship, live shot and explosion, both picture positions and every node and rim point of
// every level hold finite numbers. Black holes bend the levels for good and ship collisions can hit
// hard, so a NaN or an infinity would otherwise spread silently. ctest runs a few thousand frames;
// scripts/test runs 100 000 in the sanitizer build (LUMEN_SOAK_FRAMES, LUMEN_SOAK_SEED).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "game/digest.h"
#include "game/game.h"
#include "game/state_check.h"
#include "game/world.h"  // the game tests' dummy screen

namespace {

constexpr int kDefaultFrames = 3000;
constexpr uint32_t kDefaultSeed = 11;
constexpr Uint32 kFrameMs = 20;

/// A whole non-negative number from the environment, or the fallback.
long environmentNumber(const char* name, long fallback) {
    const char* text = std::getenv(name);
    char* end = nullptr;
    const long value = text != nullptr ? std::strtol(text, &end, 10) : -1;
    return text != end && *end == '\0' && value >= 0 ? value : fallback;
}

/// Odds (in 1000ths) of each key being held: mostly thrust, turning and firing, now and then a
/// weapon change. The held keys change every 3 to 12 frames.
constexpr std::pair<SDLKey, uint32_t> kOdds[] = {
    {SDLK_UP, 450},    {SDLK_DOWN, 150},  {SDLK_LEFT, 300},  {SDLK_RIGHT, 300}, {SDLK_RSHIFT, 150},
    {SDLK_RCTRL, 250}, {SDLK_LCTRL, 100}, {SDLK_SPACE, 200}, {SDLK_1, 40},      {SDLK_2, 40},
    {SDLK_3, 40},      {SDLK_4, 40},      {SDLK_5, 40}};

TEST(Soak, EveryShipShotAndNodeStaysFinite) {
    const long frames = environmentNumber("LUMEN_SOAK_FRAMES", kDefaultFrames);
    const auto seed = static_cast<uint32_t>(environmentNumber("LUMEN_SOAK_SEED", kDefaultSeed));

    ASSERT_EQ(chdir(LUMEN_DATA_DIR), 0) << "no data folder at " << LUMEN_DATA_DIR;
    SDL_Surface* screen = play::dummyScreen();  // the mixer opens the audio itself
    ASSERT_NE(screen, nullptr) << SDL_GetError();
    std::string reason;
    SDL_Surface* front = loadImage("play/front.bmp", &reason);
    SDL_Surface* title = loadImage("images/titlescreen.bmp", &reason);
    ASSERT_TRUE(front != nullptr && title != nullptr) << reason;
    auto state = std::make_unique<GameState>();
    ASSERT_TRUE(setUpGame(*state, screen, front, title, kLevelFile, &reason)) << reason;
    state->pacing.levelUpWaitMs = 0;

    std::mt19937 random(seed);
    std::vector<Uint8> keys(SDLK_LAST, 0);
    int keep = 0, highestLevel = 0;
    std::string found;
    long frame = 0;
    while (frame < frames && found.empty()) {
        ++frame;
        if (keep-- == 0) {
            for (const auto& [key, perMille] : kOdds) {
                keys[key] = random() % 1000 < perMille ? 1 : 0;
            }
            keep = 2 + static_cast<int>(random() % 10);
        }
        runFrame(*state, FrameInput{keys.data(), static_cast<Uint32>(frame) * kFrameMs});
        found = findNonFinite(*state);
        highestLevel = state->levelIndex > highestLevel ? state->levelIndex : highestLevel;
    }
    std::printf("soak: seed %u, %ld frames, highest level %d, kills %d, digest %016llx\n", seed,
                frame, highestLevel, state->kills,
                static_cast<unsigned long long>(stateDigest(*state)));
    EXPECT_TRUE(found.empty()) << "frame " << frame << ": " << found;
    EXPECT_EQ(frame, frames);

    // The check itself names the first value that is not finite; a retired slot does not count.
    ASSERT_EQ(findNonFinite(*state), "");
    state->shots.live[7] = state->explosions.live[0] = 0;  // retired, whatever the run left there
    state->shots.shots[7].vy = std::nanf("");
    EXPECT_EQ(findNonFinite(*state), "");
    state->shots.live[7] = 1;
    EXPECT_EQ(findNonFinite(*state), "shot 7 vy = nan");
    state->shots.live[7] = 0;
    state->explosions.explosions[0].x = std::nanf("");
    EXPECT_EQ(findNonFinite(*state), "");
    state->explosions.live[0] = 1;
    EXPECT_EQ(findNonFinite(*state).rfind("explosion 0 x", 0), 0u);
    state->explosions.live[0] = 0;
    Ship& p = state->player;
    const std::pair<float*, const char*> places[] = {
        {&p.x, "player x = inf"},
        {&p.y, "player y = inf"},
        {&p.heading, "player heading = inf"},
        {&p.vx, "player vx = inf"},
        {&p.vy, "player vy = inf"},
        {&p.spin, "player spin = inf"},
        {&state->enemies[4].heading, "enemy 4 heading = inf"},
        {&state->playerPicturePos.x, "the player's picture position"},
        {&state->enemyPicturePos[0].y, "enemy 0's picture position"}};
    for (const auto& [value, said] : places) {
        const float kept = *value;
        *value = INFINITY;
        EXPECT_EQ(findNonFinite(*state), said);
        *value = kept;
    }
    state->levels->lattices[0]->setNodePosition(0, 0, INFINITY, 0.0f);  // first column and row
    EXPECT_EQ(findNonFinite(*state), "level 0 node (0, 0)");
    releaseGame(*state);
    SDL_FreeSurface(title);
    SDL_FreeSurface(front);
    SDL_Quit();
}

}  // namespace
