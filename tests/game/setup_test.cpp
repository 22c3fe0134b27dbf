// Building a run from a copy of the generated data folder: what is loaded where and how it is
// prepared, and the one clear failure for every missing or unusable file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "game/game.h"
#include "world.h"

namespace fs = std::filesystem;

namespace {

/// A copy of the data folder, made the working folder while the object lives.
struct DataCopy {
    fs::path previous = fs::current_path();
    fs::path path = fs::temp_directory_path() / ("lumen-setup-" + std::to_string(getpid()));
    DataCopy() {
        fs::remove_all(path);
        fs::copy(LUMEN_DATA_DIR, path, fs::copy_options::recursive);
        fs::current_path(path);
    }
    ~DataCopy() {
        fs::current_path(previous);
        fs::remove_all(path);
    }
};

/// The raw 32-bit value of the centre pixel of a surface.
Uint32 centreOf(SDL_Surface* s) {
    return *reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + s->h / 2 * s->pitch +
                                      s->w / 2 * 4);
}

/// Start-up pictures as the entry point loads them.
struct StartImages {
    SDL_Surface* front = loadImage("play/front.bmp", nullptr);
    SDL_Surface* title = loadImage("images/titlescreen.bmp", nullptr);
    ~StartImages() {
        SDL_FreeSurface(front);
        SDL_FreeSurface(title);
    }
};

/// Set-up in the current folder must fail with one line that starts with the file's name and
/// mentions `mention`, and leave nothing behind (or, if mayLoad, it may succeed and play).
void expectRefused(const std::string& file, const char* mention = "", bool mayLoad = false) {
    StartImages start;
    GameState state;
    std::string reason;
    if (setUpGame(state, play::dummyScreen(), start.front, start.title, kLevelFile, &reason)) {
        EXPECT_TRUE(mayLoad) << file;
        const std::vector<Uint8> keys(SDLK_LAST, 1);  // everything held: every weapon fires
        for (Uint32 ticks = 1000; ticks < 1060; ticks += 20) {
            runFrame(state, FrameInput{keys.data(), ticks});
        }
        releaseGame(state);
        return;
    }
    EXPECT_EQ(reason.rfind(file + ": ", 0), 0u) << reason;
    EXPECT_NE(reason.find(mention), std::string::npos) << reason;
    EXPECT_EQ(reason.find('\n'), std::string::npos) << reason;
    EXPECT_TRUE(state.images.shot[0] == nullptr && state.images.levelUp == nullptr &&
                state.playfield == nullptr && state.spriteScratch == nullptr &&
                state.levels == nullptr && state.sounds.thrust == nullptr)
        << reason;
    releaseGame(state);
}

}  // namespace

TEST(SetUp, LoadsAndPreparesEveryImageSoundAndLevel) {
    DataCopy data;
    SDL_Surface* screen = play::dummyScreen();
    StartImages start;
    auto state = std::make_unique<GameState>();
    std::string reason;
    ASSERT_TRUE(setUpGame(*state, screen, start.front, start.title, kLevelFile, &reason)) << reason;
    const Images& images = state->images;
    // enemy20011 fills two slots with two surfaces; enemy3 fills six with one.
    EXPECT_NE(images.enemy[7], images.enemy[10]);
    EXPECT_EQ(centreOf(images.enemy[7]), centreOf(images.enemy[10]));
    EXPECT_EQ(std::count(images.enemy.begin() + 12, images.enemy.end(), images.enemy[12]), 6);
    const std::pair<SDL_Surface*, const char*> loaded[] = {
        {images.enemy[12], "images/enemy3.bmp"},
        {images.ship[4], "images/ship011.bmp"},
        {images.shot[0], "images/simpleshot.bmp"},
        {images.shot[1], "images/purplelaser.bmp"},
        {images.shot[2], "images/newtriplebomb00.bmp"},
        {images.shot[19], "images/blackhole.bmp"},
        {images.explosion[6], "images/blue explosion1.bmp"},
    };
    for (const auto& [image, file] : loaded) {  // the size and centre pixel of the file as loaded
        SDL_Surface* s = loadImage(file, nullptr);
        EXPECT_TRUE(s->w == image->w && s->h == image->h && centreOf(s) == centreOf(image)) << file;
        SDL_FreeSurface(s);
    }
    // Shot images 0..19 and every explosion become alpha images holding the file's bytes; the
    // shrapnel stays as loaded; the pick-ups are keyed on magenta.
    for (int i = 0; i < kShotImageCount; ++i) {
        const Uint32 flags = images.shot[i]->flags & (SDL_SRCALPHA | SDL_SRCCOLORKEY);
        EXPECT_EQ(flags, i < 20 ? SDL_SRCALPHA : i < 26 ? 0u : SDL_SRCCOLORKEY) << i;
        EXPECT_EQ(images.shot[i]->format->Amask, i < 20 ? 0xFF000000u : 0u) << i;
    }
    EXPECT_EQ(images.shot[26]->format->colorkey, 0xFF00FFu);
    EXPECT_TRUE(std::all_of(images.explosion.begin(), images.explosion.end(),
                            [](SDL_Surface* e) { return e->format->Amask == 0xFF000000u; }));
    EXPECT_TRUE(images.ammo[0] == nullptr && images.ammo[4] != nullptr);
    EXPECT_TRUE(images.front == start.front && (start.front->flags & SDL_SRCCOLORKEY) &&
                (start.front->format->colorkey & 0xFFFFFF) == 0xFF00FFu);
    // The surfaces the game makes.
    const SDL_Surface* scratch = state->spriteScratch;
    EXPECT_EQ(std::make_tuple(scratch->w, scratch->format->Amask, scratch->format->colorkey),
              std::make_tuple(122, 0xFF000000u, 0xFF00FFu));
    const SDL_Surface* field = state->playfield;
    EXPECT_EQ(std::make_tuple(field->w, field->h, field->flags & SDL_SRCCOLORKEY,
                              field->format->colorkey),
              std::make_tuple(1200, 1000, Uint32{SDL_SRCCOLORKEY}, 0u));
    EXPECT_EQ(play::pixel(state->playfield, 20, 20), 0xFFFFFFu);  // white between the lines
    // The loading screen shows the panel picture as loaded, at points unlike their neighbours.
    for (const auto& [x, y] : {std::pair{407, 99}, std::pair{197, 596}}) {
        EXPECT_EQ(play::pixel(screen, x, y), play::pixel(start.front, x, y)) << x << ", " << y;
    }
    // Sounds (the dummy audio driver opens): Swarm hits are silent.
    const Sounds& sfx = state->sounds;
    ASSERT_NE(sfx.largeExplosion, nullptr);
    EXPECT_EQ(std::make_tuple(sfx.impact[Swarm], sfx.impact[PurpleLaser], sfx.impact[TripleBomb],
                              sfx.impact[SimpleShot], sfx.impact[Shrapnel6]),
              std::make_tuple(nullptr, sfx.laser, sfx.smallExplosion, sfx.smallFastImpact,
                              sfx.smallFastImpact));
    EXPECT_EQ(Mix_AllocateChannels(-1), 32);
    state->thrustChannel = Mix_PlayChannel(-1, sfx.thrust, -1);
    releaseGame(*state);  // what it frees is checked after each failed set-up below
    EXPECT_TRUE(state->thrustChannel == -1 && state->currentLattice == nullptr);
}

TEST(SetUpFailures, EveryMissingEmptyHalvedOrUnusableFileIsNamedAndNothingIsLeftBehind) {
    DataCopy data;
    int files = 0;
    for (const auto& entry : fs::recursive_directory_iterator(".")) {
        const std::string file = fs::relative(entry.path(), ".").string();
        if (!entry.is_regular_file() || file == "play/front.bmp" ||
            file == "images/titlescreen.bmp" || file == "images/editorfont.bmp") {
            continue;  // the entry point loads two itself; the editor's font is not the game's
        }
        ++files;
        fs::rename(file, file + ".away");
        expectRefused(file);
        std::ofstream(file, std::ios::binary).close();
        expectRefused(file);
        fs::copy_file(file + ".away", file, fs::copy_options::overwrite_existing);
        fs::resize_file(file, fs::file_size(file) / 2);
        expectRefused(file, "", true);  // cut in half: refused, or whole enough to play
        fs::rename(file + ".away", file);
    }
    EXPECT_EQ(files, 89);
    // Unusable files are refused with their reason.
    SDL_Surface* rgb = SDL_CreateRGBSurface(SDL_SWSURFACE, 30, 30, 24, 0xFF0000, 0xFF00, 0xFF, 0);
    struct Case {
        const char* file;
        std::string bytes;   ///< the file's new bytes; none: a 24-bit picture
        const char* reason;  ///< what the one line says after the file's name
    };
    // Alpha images and pictures drawn turned must hold 32 bits a pixel.
    const Case cases[] = {
        {"images/blackhole.bmp", "", "32 bits"},
        {"images/ship101.bmp", "", "32 bits"},
        {"images/enemy1000.bmp", "", "32 bits"},
        {"images/shrapnel1.bmp", "", "32 bits"},
        {"images/purplelaser.bmp", "", "32 bits"},
        {"images/swarm2.bmp", "", "32 bits"},
        {"images/health.bmp", "not a bitmap", ""},
        {"foo3.lvl", "xx", ""},
        {"foo3.lvl", std::string(4, '\0'), "holds no levels"},
        {"sfx/respawn.wav", "RIFF but not really", ""},
    };
    for (const Case& c : cases) {
        fs::copy_file(c.file, "kept", fs::copy_options::overwrite_existing);
        if (c.bytes.empty()) {
            SDL_SaveBMP(rgb, c.file);
        } else {
            std::ofstream(c.file, std::ios::binary) << c.bytes;
        }
        expectRefused(c.file, c.reason);
        fs::rename("kept", c.file);
    }
    SDL_FreeSurface(rgb);
}
