#include "game/assets.h"

#include <cstdio>
#include <cstring>

#include "game/game.h"

namespace {

constexpr Uint32 kAlphaRed = 0x00FF0000;
constexpr Uint32 kAlphaGreen = 0x0000FF00;
constexpr Uint32 kAlphaBlue = 0x000000FF;
constexpr Uint32 kAlphaAlpha = 0xFF000000;
/// Magenta: the transparent colour of the pick-up images.
constexpr Uint32 kPickUpColourKey = 0xFF00FF;

constexpr const char* kShipFiles[kShipImageCount] = {
    "images/ship000.bmp", "images/ship010.bmp", "images/ship100.bmp",
    "images/ship001.bmp", "images/ship011.bmp", "images/ship101.bmp",
};

/// Enemy kinds 0 and 1, six poses each. "enemy20011" is read twice on purpose: slots 7 and 10 get
/// two surfaces with the same picture.
constexpr const char* kEnemyFiles[12] = {
    "images/enemy1000.bmp",  "images/enemy1010.bmp",  "images/enemy1100.bmp",
    "images/enemy1001.bmp",  "images/enemy1011.bmp",  "images/enemy1101.bmp",
    "images/enemy20000.bmp", "images/enemy20011.bmp", "images/enemy20010.bmp",
    "images/enemy21000.bmp", "images/enemy20011.bmp", "images/enemy21100.bmp",
};
/// Enemy kind 2 has one picture for every pose.
constexpr const char* kEnemy3File = "images/enemy3.bmp";
constexpr int kSharedEnemySlot = 12;

/// Shot images 0..19 are 32-bit pictures with their alpha in the fourth byte; 26..31 are the
/// colour-keyed pick-ups; the shrapnel 20..25 stay as loaded.
constexpr int kFirstAlphaShotImages = 20;
constexpr int kFirstPickUpImage = 26;

bool fail(std::string* reason, const char* path, const std::string& why) {
    if (reason != nullptr) {
        *reason = std::string(path) + ": " + why;
    }
    return false;
}

/// Loads into slot, or records why not.
bool loadInto(SDL_Surface*& slot, const char* path, std::string* reason) {
    slot = loadImage(path, reason);
    return slot != nullptr;
}

bool loadNumbered(SDL_Surface** slots, int count, const char* pattern, int first,
                  std::string* reason) {
    char path[64];
    for (int n = 0; n < count; ++n) {
        std::snprintf(path, sizeof path, pattern, first + n);
        if (!loadInto(slots[n], path, reason)) {
            return false;
        }
    }
    return true;
}

/// The shot images in load order: kinds 0..16, the animated ones frame by frame.
bool loadShotImages(std::array<SDL_Surface*, kShotImageCount>& shot, std::string* reason) {
    SDL_Surface** slot = shot.data();
    if (!loadInto(slot[0], "images/simpleshot.bmp", reason) ||
        !loadInto(slot[1], "images/purplelaser.bmp", reason) ||
        !loadNumbered(slot + 2, 12, "images/newtriplebomb%02d.bmp", 0, reason) ||
        !loadNumbered(slot + 14, 5, "images/swarm%d.bmp", 0, reason) ||
        !loadInto(slot[19], "images/blackhole.bmp", reason) ||
        !loadNumbered(slot + 20, 6, "images/shrapnel%d.bmp", 1, reason) ||
        !loadNumbered(slot + 26, 6, "images/powerup%d.bmp", 1, reason)) {
        return false;
    }
    return true;
}

bool loadExplosionImages(std::array<SDL_Surface*, kExplosionImageCount>& explosion,
                         std::string* reason) {
    SDL_Surface** slot = explosion.data();
    return loadNumbered(slot, 6, "images/explosion%d.bmp", 1, reason) &&
           loadNumbered(slot + 6, 6, "images/blue explosion%d.bmp", 1, reason) &&
           loadNumbered(slot + 12, 6, "images/smallexplosion%d.bmp", 1, reason);
}

/// The file each alpha image came from, for the message when it is not 32 bits per pixel.
void shotImagePath(int index, char* path, size_t size) {
    if (index == 0) {
        std::snprintf(path, size, "images/simpleshot.bmp");
    } else if (index == 1) {
        std::snprintf(path, size, "images/purplelaser.bmp");
    } else if (index < 14) {
        std::snprintf(path, size, "images/newtriplebomb%02d.bmp", index - 2);
    } else if (index < 19) {
        std::snprintf(path, size, "images/swarm%d.bmp", index - 14);
    } else {
        std::snprintf(path, size, "images/blackhole.bmp");
    }
}

void explosionImagePath(int index, char* path, size_t size) {
    static constexpr const char* kPatterns[kExplosionKindCount] = {
        "images/explosion%d.bmp", "images/blue explosion%d.bmp", "images/smallexplosion%d.bmp"};
    std::snprintf(path, size, kPatterns[index / kExplosionFrames], index % kExplosionFrames + 1);
}

bool isTurnable(const SDL_Surface* image, const char* path, std::string* reason) {
    if (image->format->BytesPerPixel == 4) {
        return true;
    }
    return fail(reason, path,
                "is a " + std::to_string(image->format->BitsPerPixel) +
                    "-bit bitmap; it is drawn turned and must be 32 bits per pixel");
}

void freeChunks(Sounds& sounds) {
    Mix_Chunk** chunks[] = {&sounds.largeExplosion, &sounds.smallExplosion, &sounds.smallFastImpact,
                            &sounds.laser,          &sounds.thrust,         &sounds.shipCollide,
                            &sounds.respawn,        &sounds.spaceWarp};
    for (Mix_Chunk** chunk : chunks) {
        if (*chunk != nullptr) {
            Mix_FreeChunk(*chunk);
            *chunk = nullptr;
        }
    }
    sounds.impact.fill(nullptr);
}

void freeSurface(SDL_Surface*& surface) {
    SDL_FreeSurface(surface);
    surface = nullptr;
}

}  // namespace

SDL_Surface* loadImage(const char* path, std::string* reason) {
    SDL_Surface* image = SDL_LoadBMP_RW(SDL_RWFromFile(path, "rb"), 1);
    if (image == nullptr) {
        fail(reason, path, std::string("cannot be loaded (") + SDL_GetError() + ")");
    }
    return image;
}

bool loadStartImages(SDL_Surface*& frontImage, SDL_Surface*& titleImage, std::string* reason) {
    frontImage = loadImage("play/front.bmp", reason);
    titleImage = frontImage == nullptr ? nullptr : loadImage("images/titlescreen.bmp", reason);
    if (titleImage == nullptr) {
        SDL_FreeSurface(frontImage);
        frontImage = nullptr;
        return false;
    }
    return true;
}

SDL_Surface* makeAlphaImage(SDL_Surface* loaded, const char* path, std::string* reason) {
    // The bytes are copied as they are, so anything but 4 bytes a pixel would be read past its
    // end.
    if (loaded->format->BytesPerPixel != 4 || loaded->pitch != loaded->w * 4) {
        fail(reason, path,
             "is a " + std::to_string(loaded->format->BitsPerPixel) +
                 "-bit bitmap; it must be 32 bits per pixel with the alpha in the fourth byte");
        return nullptr;
    }
    SDL_Surface* image = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, kAlphaRed,
                                              kAlphaGreen, kAlphaBlue, kAlphaAlpha);
    if (image == nullptr) {
        fail(reason, path, std::string("no memory for its alpha copy (") + SDL_GetError() + ")");
        return nullptr;
    }
    SDL_LockSurface(loaded);
    SDL_LockSurface(image);
    std::memcpy(image->pixels, loaded->pixels, static_cast<size_t>(loaded->w) * loaded->h * 4);
    SDL_UnlockSurface(image);
    SDL_UnlockSurface(loaded);
    SDL_FreeSurface(loaded);
    SDL_SetAlpha(image, SDL_SRCALPHA, 255);
    return image;
}

bool loadImages(Images& images, std::string* reason) {
    for (int i = 0; i < kShipImageCount; ++i) {
        if (!loadInto(images.ship[i], kShipFiles[i], reason)) {
            return false;
        }
    }
    for (int i = 0; i < kSharedEnemySlot; ++i) {
        if (!loadInto(images.enemy[i], kEnemyFiles[i], reason)) {
            return false;
        }
    }
    if (!loadInto(images.enemy[kSharedEnemySlot], kEnemy3File, reason)) {
        return false;
    }
    for (int i = kSharedEnemySlot + 1; i < kEnemyImageCount; ++i) {
        images.enemy[i] = images.enemy[kSharedEnemySlot];
    }
    if (!loadShotImages(images.shot, reason) || !loadExplosionImages(images.explosion, reason) ||
        !loadNumbered(images.ammo.data() + 1, 4, "images/ammo%d.bmp", 1, reason) ||
        !loadNumbered(images.indicator.data(), 5, "images/indicator%d.bmp", 0, reason) ||
        !loadInto(images.health, "images/health.bmp", reason) ||
        !loadInto(images.completion, "images/completion.bmp", reason) ||
        !loadInto(images.levelUp, "images/levelup.BMP", reason)) {
        return false;
    }

    // The ship, enemy and shrapnel pictures are turned into the 32-bit sprite scratch surface
    // without conversion; any other depth would never be drawn.
    for (int i = 0; i < kShipImageCount; ++i) {
        if (!isTurnable(images.ship[i], kShipFiles[i], reason)) {
            return false;
        }
    }
    for (int i = 0; i < kSharedEnemySlot; ++i) {
        if (!isTurnable(images.enemy[i], kEnemyFiles[i], reason)) {
            return false;
        }
    }
    if (!isTurnable(images.enemy[kSharedEnemySlot], kEnemy3File, reason)) {
        return false;
    }
    char path[64];
    for (int i = kFirstAlphaShotImages; i < kFirstPickUpImage - 1; ++i) {
        std::snprintf(path, sizeof path, "images/shrapnel%d.bmp", i - kFirstAlphaShotImages + 1);
        if (!isTurnable(images.shot[i], path, reason)) {
            return false;
        }
    }

    for (int i = 0; i < kExplosionImageCount; ++i) {
        explosionImagePath(i, path, sizeof path);
        SDL_Surface* image = makeAlphaImage(images.explosion[i], path, reason);
        if (image == nullptr) {
            return false;
        }
        images.explosion[i] = image;
    }
    for (int i = 0; i < kFirstAlphaShotImages; ++i) {
        shotImagePath(i, path, sizeof path);
        SDL_Surface* image = makeAlphaImage(images.shot[i], path, reason);
        if (image == nullptr) {
            return false;
        }
        images.shot[i] = image;
    }
    for (int i = kFirstPickUpImage; i < kShotImageCount; ++i) {
        SDL_SetColorKey(images.shot[i], SDL_SRCCOLORKEY, kPickUpColourKey);
    }
    return true;
}

void releaseImages(Images& images) {
    for (SDL_Surface*& surface : images.ship) {
        freeSurface(surface);
    }
    // Slots 12..17 share one surface.
    for (int i = kSharedEnemySlot + 1; i < kEnemyImageCount; ++i) {
        images.enemy[i] = nullptr;
    }
    for (SDL_Surface*& surface : images.enemy) {
        freeSurface(surface);
    }
    for (SDL_Surface*& surface : images.shot) {
        freeSurface(surface);
    }
    for (SDL_Surface*& surface : images.explosion) {
        freeSurface(surface);
    }
    for (SDL_Surface*& surface : images.ammo) {
        freeSurface(surface);
    }
    for (SDL_Surface*& surface : images.indicator) {
        freeSurface(surface);
    }
    freeSurface(images.health);
    freeSurface(images.completion);
    freeSurface(images.levelUp);
}

bool loadSounds(Sounds& sounds, std::string* reason) {
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 1, 4096) < 0) {
        const char* why = Mix_GetError();
        std::printf("No sound: the audio device cannot be opened%s%s%s\n", *why ? " (" : "", why,
                    *why ? ")" : "");
        std::fflush(stdout);
        return true;
    }
    struct SoundFile {
        Mix_Chunk** chunk;
        const char* path;
    };
    const SoundFile files[] = {
        {&sounds.largeExplosion, "sfx/largeexplosion.wav"},
        {&sounds.smallExplosion, "sfx/smallexplosion.wav"},
        {&sounds.smallFastImpact, "sfx/smallfastimpact.wav"},
        {&sounds.laser, "sfx/lasertype1.wav"},
        {&sounds.thrust, "sfx/thrust.wav"},
        {&sounds.shipCollide, "sfx/shipcollide.wav"},
        {&sounds.respawn, "sfx/respawn.wav"},
        {&sounds.spaceWarp, "sfx/spacewarp2.wav"},
    };
    for (const SoundFile& file : files) {
        *file.chunk = Mix_LoadWAV_RW(SDL_RWFromFile(file.path, "rb"), 1);
        if (*file.chunk == nullptr) {
            const std::string why = std::string("cannot be loaded (") + Mix_GetError() + ")";
            Mix_HaltChannel(-1);
            freeChunks(sounds);
            Mix_CloseAudio();
            return fail(reason, file.path, why);
        }
    }
    // A Swarm hit makes no sound.
    sounds.impact.fill(sounds.smallFastImpact);
    sounds.impact[PurpleLaser] = sounds.laser;
    sounds.impact[TripleBomb] = sounds.smallExplosion;
    sounds.impact[Swarm] = nullptr;
    Mix_AllocateChannels(32);
    // Every channel starts at volume 64. A fade-in ends by restoring the volume its channel had
    // before it began, so without this the thrust loop would swell to the mixer's full 128 on a
    // channel that no other sound had used yet.
    Mix_Volume(-1, 64);
    installMixLimiter(sounds.limiter, {sounds.largeExplosion, sounds.smallExplosion,
                                       sounds.smallFastImpact, sounds.laser, sounds.thrust,
                                       sounds.shipCollide, sounds.respawn, sounds.spaceWarp});
    return true;
}

void releaseSounds(Sounds& sounds) {
    // The device is open exactly when the chunks are loaded: a failed load closes it at once.
    const bool opened = sounds.largeExplosion != nullptr;
    if (opened) {
        Mix_HaltChannel(-1);
        removeMixLimiter();
    }
    freeChunks(sounds);
    if (opened) {
        Mix_CloseAudio();
    }
}
