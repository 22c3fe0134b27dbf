#include "play_world.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "lattice/lattice.h"
#include "render/render.h"

namespace play {

namespace {

constexpr Uint32 kRed = 0x00FF0000;
constexpr Uint32 kGreen = 0x0000FF00;
constexpr Uint32 kBlue = 0x000000FF;
constexpr Uint32 kAlpha = 0xFF000000;
constexpr Uint32 kOpaque = 0xFF000000;

void put16(std::ofstream& out, unsigned value) {
    const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
    out.write(bytes, 2);
}

void put32(std::ofstream& out, Uint32 value) {
    for (int b = 0; b < 4; ++b) {
        out.put(static_cast<char>((value >> (8 * b)) & 0xFF));
    }
}

void writeBitmap(const std::string& path, int w, int h, Uint32 value, int bytesPerPixel) {
    std::ofstream out(path, std::ios::binary);
    const int rowBytes = (w * bytesPerPixel + 3) / 4 * 4;
    const Uint32 dataSize = static_cast<Uint32>(rowBytes * h);
    out.write("BM", 2);
    put32(out, 54 + dataSize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<Uint32>(w));
    put32(out, static_cast<Uint32>(h));
    put16(out, 1);
    put16(out, static_cast<unsigned>(bytesPerPixel * 8));
    put32(out, 0);  // BI_RGB
    put32(out, dataSize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            for (int b = 0; b < bytesPerPixel; ++b) {
                out.put(static_cast<char>((value >> (8 * b)) & 0xFF));
            }
        }
        for (int pad = w * bytesPerPixel; pad < rowBytes; ++pad) {
            out.put(0);
        }
    }
}

/// The picture sizes the game's drawing expects; shots and explosions as their kinds draw them.
struct ImageSpec {
    int w;
    int h;
};

ImageSpec imageSpec(const std::string& file) {
    if (file.find("ship") != std::string::npos) {
        return {90, 103};
    }
    if (file.find("enemy") != std::string::npos) {
        return {60, 60};
    }
    if (file.find("purplelaser") != std::string::npos) {
        return {12, 40};
    }
    if (file.find("smallexplosion") != std::string::npos) {
        return {100, 100};
    }
    if (file.find("explosion") != std::string::npos) {
        return {180, 180};
    }
    if (file.find("titlescreen") != std::string::npos || file.find("front") != std::string::npos ||
        file.find("levelup") != std::string::npos) {
        return {800, 600};
    }
    if (file.find("health") != std::string::npos || file.find("completion") != std::string::npos) {
        return {200, 20};
    }
    return {20, 20};
}

}  // namespace

Uint32 DataFolder::imageValue(int n) {
    return 0xFF000000 | (0x010203 * static_cast<Uint32>(n + 1));
}

SDL_Surface* dummyScreen() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        SDL_Init(SDL_INIT_VIDEO);
    }
    SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen == nullptr) {
        screen = SDL_SetVideoMode(800, 600, 32, SDL_DOUBLEBUF);
    }
    return screen;
}

SDL_Surface* solidSurface(int w, int h, Uint32 value, Uint32 alphaMask) {
    SDL_Surface* surface =
        SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, kRed, kGreen, kBlue, alphaMask);
    SDL_FillRect(surface, nullptr, value);
    return surface;
}

Uint32 pixel(SDL_Surface* surface, int x, int y) {
    const auto* row = static_cast<const Uint8*>(surface->pixels) + y * surface->pitch;
    return reinterpret_cast<const Uint32*>(row)[x];
}

World::World(std::vector<std::pair<int, int>> levelSizes) {
    GameState& s = *state;
    s.screen = dummyScreen();
    s.levels = std::make_unique<LevelSet>();
    for (const auto& [columns, rows] : levelSizes) {
        s.levels->appendLattice(columns, rows);
    }
    s.currentLattice = s.levels->lattices[0].get();

    auto keep = [this](SDL_Surface* surface) {
        owned_.push_back(surface);
        return surface;
    };
    Images& images = s.images;
    for (int pose = 0; pose < kShipImageCount; ++pose) {
        images.ship[pose] = keep(solidSurface(90, 103, kOpaque | kShipColour[pose], 0));
    }
    for (SDL_Surface*& enemy : images.enemy) {
        enemy = keep(solidSurface(60, 60, kOpaque | kEnemyColour, 0));
    }
    for (int i = 0; i < kShotImageCount; ++i) {
        const bool alpha = i < 20;
        const int w = i == 1 ? 12 : 20;
        const int h = i == 1 ? 40 : 20;
        images.shot[i] = keep(solidSurface(w, h, kOpaque | kShotColour, alpha ? kAlpha : 0));
        if (alpha) {
            SDL_SetAlpha(images.shot[i], SDL_SRCALPHA, 255);
        }
    }
    for (int i = 0; i < kExplosionImageCount; ++i) {
        const int size = i < 12 ? 180 : 100;
        images.explosion[i] = keep(solidSurface(size, size, kOpaque | 0xFF8000, kAlpha));
        SDL_SetAlpha(images.explosion[i], SDL_SRCALPHA, 255);
    }
    for (int w = 1; w < kWeaponCount; ++w) {
        images.ammo[w] = keep(solidSurface(40, 20, 0x00FFFF, 0));
    }
    for (SDL_Surface*& indicator : images.indicator) {
        indicator = keep(solidSurface(40, 20, 0xFFFF00, 0));
    }
    images.health = keep(solidSurface(200, 20, 0x00FF00, 0));
    images.completion = keep(solidSurface(200, 20, 0x0000FF, 0));
    images.levelUp = keep(solidSurface(800, 600, 0xFFFFFF, 0));
    images.front = keep(solidSurface(800, 185, 0x404040, 0));

    const SDL_PixelFormat* ship = images.ship[0]->format;
    s.spriteScratch = keep(SDL_CreateRGBSurface(SDL_SWSURFACE, 122, 122, 32, ship->Rmask,
                                                ship->Gmask, ship->Bmask, kAlpha));
    SDL_SetAlpha(s.spriteScratch, SDL_SRCALPHA, 255);
    SDL_SetColorKey(s.spriteScratch, SDL_SRCCOLORKEY, 0xFF00FF);
    s.playfield = keep(SDL_CreateRGBSurface(SDL_SRCALPHA, 1200, 1000, 32, ship->Rmask, ship->Gmask,
                                            ship->Bmask, ship->Amask));
    SDL_FillRect(s.playfield, nullptr, 0xFFFFFF);
    drawLattice(s.playfield, *s.currentLattice, 1, 0, 0);
    SDL_SetColorKey(s.playfield, SDL_SRCCOLORKEY, 0);
    s.pacing.levelUpWaitMs = 0;
    resetShips(s);
}

World::~World() {
    for (SDL_Surface* surface : owned_) {
        SDL_FreeSurface(surface);
    }
}

void World::run(const FrameInput& input) {
    runFrame(*state, input);
}

void World::frame(std::initializer_list<SDLKey> held) {
    std::fill(keys.begin(), keys.end(), 0);
    for (SDLKey key : held) {
        keys[key] = 1;
    }
    ticks += 20;
    FrameInput input;
    input.keys = keys.data();
    input.ticks = ticks;
    run(input);
}

void World::frames(int n, std::initializer_list<SDLKey> held) {
    for (int f = 0; f < n; ++f) {
        frame(held);
    }
}

void World::frameWithEvent(const SDL_Event& event) {
    std::fill(keys.begin(), keys.end(), 0);
    ticks += 20;
    FrameInput input;
    input.keys = keys.data();
    input.ticks = ticks;
    input.hasEvent = true;
    input.event = event;
    run(input);
}

void World::parkEnemies() {
    for (Ship& enemy : state->enemies) {
        enemy.x = 2500.0f;
        enemy.y = 2500.0f;
        enemy.respawnCountdown = 1000000;
    }
}

int World::liveShots() const {
    int n = 0;
    for (Uint8 live : state->shots.live) {
        n += live;
    }
    return n;
}

void writeBitmap32(const std::string& path, int w, int h, Uint32 value) {
    writeBitmap(path, w, h, value, 4);
}

void writeBitmap24(const std::string& path, int w, int h, Uint32 rgb) {
    writeBitmap(path, w, h, rgb, 3);
}

void writeWave(const std::string& path) {
    std::ofstream out(path, std::ios::binary);
    const Uint32 samples = 2205;  // 0.1 s
    const Uint32 dataSize = samples * 2;
    out.write("RIFF", 4);
    put32(out, 36 + dataSize);
    out.write("WAVEfmt ", 8);
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, 1);  // mono
    put32(out, 22050);
    put32(out, 22050 * 2);
    put16(out, 2);
    put16(out, 16);
    out.write("data", 4);
    put32(out, dataSize);
    for (Uint32 n = 0; n < samples; ++n) {
        put16(out, (n / 25) % 2 == 0 ? 0x1000 : 0xF000);
    }
}

std::vector<std::string> DataFolder::imageFiles() {
    std::vector<std::string> files = {
        "images/ship000.bmp",    "images/ship010.bmp",     "images/ship100.bmp",
        "images/ship001.bmp",    "images/ship011.bmp",     "images/ship101.bmp",
        "images/enemy1000.bmp",  "images/enemy1010.bmp",   "images/enemy1100.bmp",
        "images/enemy1001.bmp",  "images/enemy1011.bmp",   "images/enemy1101.bmp",
        "images/enemy20000.bmp", "images/enemy20011.bmp",  "images/enemy20010.bmp",
        "images/enemy21000.bmp", "images/enemy21100.bmp",  "images/enemy3.bmp",
        "images/simpleshot.bmp", "images/purplelaser.bmp",
    };
    char name[64];
    for (int n = 0; n < 12; ++n) {
        std::snprintf(name, sizeof name, "images/newtriplebomb%02d.bmp", n);
        files.push_back(name);
    }
    for (int n = 0; n < 5; ++n) {
        files.push_back("images/swarm" + std::to_string(n) + ".bmp");
    }
    files.push_back("images/blackhole.bmp");
    for (int n = 1; n <= 6; ++n) {
        files.push_back("images/shrapnel" + std::to_string(n) + ".bmp");
    }
    for (int n = 1; n <= 6; ++n) {
        files.push_back("images/powerup" + std::to_string(n) + ".bmp");
    }
    for (const char* pattern :
         {"images/explosion", "images/blue explosion", "images/smallexplosion"}) {
        for (int n = 1; n <= 6; ++n) {
            files.push_back(pattern + std::to_string(n) + ".bmp");
        }
    }
    for (int n = 1; n <= 4; ++n) {
        files.push_back("images/ammo" + std::to_string(n) + ".bmp");
    }
    for (int n = 0; n <= 4; ++n) {
        files.push_back("images/indicator" + std::to_string(n) + ".bmp");
    }
    files.push_back("images/health.bmp");
    files.push_back("images/completion.bmp");
    files.push_back("images/levelup.BMP");
    return files;
}

std::vector<std::string> DataFolder::soundFiles() {
    return {"sfx/largeexplosion.wav", "sfx/smallexplosion.wav", "sfx/smallfastimpact.wav",
            "sfx/lasertype1.wav",     "sfx/thrust.wav",         "sfx/shipcollide.wav",
            "sfx/respawn.wav",        "sfx/spacewarp2.wav"};
}

DataFolder::DataFolder(int levels) {
    namespace fs = std::filesystem;
    char pattern[] = "/tmp/lumen-data-XXXXXX";
    path = mkdtemp(pattern);
    fs::create_directories(path + "/images");
    fs::create_directories(path + "/sfx");
    fs::create_directories(path + "/play");
    const std::vector<std::string> images = imageFiles();
    for (size_t n = 0; n < images.size(); ++n) {
        const ImageSpec shape = imageSpec(images[n]);
        // Each file holds a colour of its own (from its place in the list), alpha byte opaque.
        writeBitmap32(path + "/" + images[n], shape.w, shape.h, imageValue(static_cast<int>(n)));
    }
    writeBitmap24(path + "/images/titlescreen.bmp", 800, 600, 0x203040);
    writeBitmap24(path + "/play/front.bmp", 800, 600, 0x405060);
    for (const std::string& file : soundFiles()) {
        writeWave(path + "/" + file);
    }
    LevelSet set;
    for (int l = 0; l < levels; ++l) {
        set.appendLattice(20 + l, 18 + l);
    }
    writeLevelFile(set, (path + "/foo3.lvl").c_str());

    previous_ = fs::current_path().string();
    fs::current_path(path);
}

DataFolder::~DataFolder() {
    namespace fs = std::filesystem;
    fs::current_path(previous_);
    std::error_code ignored;
    fs::remove_all(path, ignored);
}

}  // namespace play
