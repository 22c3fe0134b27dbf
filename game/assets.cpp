#include "game/assets.h"

#include <cstdio>
#include <cstring>

#include "game/spawn.h"

namespace {

constexpr Uint32 kAlphaRed = 0x00FF0000;
constexpr Uint32 kAlphaGreen = 0x0000FF00;
constexpr Uint32 kAlphaBlue = 0x000000FF;
constexpr Uint32 kAlphaAlpha = 0xFF000000;
/// Magenta: the transparent colour of the pick-up images.
constexpr Uint32 kPickUpColourKey = 0xFF00FF;

/// Slot 12 holds enemy kind 2's one picture; slots 13..17 share its surface.
constexpr int kSharedEnemySlot = 12;
static_assert(kEnemyImageFiles.size() == kSharedEnemySlot);
static_assert(kShipImageFiles.size() == kShipImageCount &&
              kShotImageFiles.size() == kShotImageCount &&
              kExplosionImageFiles.size() == kExplosionImageCount);

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

/// Loads count images into slots from the file names in the same order.
bool loadAll(SDL_Surface** slots, const char* const* files, int count, std::string* reason) {
    for (int n = 0; n < count; ++n) {
        if (!loadInto(slots[n], files[n], reason)) {
            return false;
        }
    }
    return true;
}

bool isTurnable(const SDL_Surface* image, const char* path, std::string* reason) {
    if (image->format->BytesPerPixel == 4) {
        return true;
    }
    return fail(reason, path,
                "is a " + std::to_string(image->format->BitsPerPixel) +
                    "-bit bitmap; it is drawn turned and must be 32 bits per pixel");
}

/// The chunks of Sounds in load order, as kSoundFiles names them.
std::array<Mix_Chunk**, kSoundCount> chunkSlots(Sounds& sounds) {
    return {&sounds.largeExplosion, &sounds.smallExplosion, &sounds.smallFastImpact,
            &sounds.laser,          &sounds.thrust,         &sounds.shipCollide,
            &sounds.respawn,        &sounds.spaceWarp};
}

void freeChunks(Sounds& sounds) {
    for (Mix_Chunk** chunk : chunkSlots(sounds)) {
        if (*chunk != nullptr) {
            Mix_FreeChunk(*chunk);
            *chunk = nullptr;
        }
    }
    sounds.impact.fill(nullptr);
}

}  // namespace

void freeSurface(SDL_Surface*& surface) {
    SDL_FreeSurface(surface);
    surface = nullptr;
}

SDL_Surface* loadImage(const char* path, std::string* reason) {
    SDL_Surface* image = SDL_LoadBMP_RW(SDL_RWFromFile(path, "rb"), 1);
    if (image == nullptr) {
        fail(reason, path, std::string("cannot be loaded (") + SDL_GetError() + ")");
    }
    return image;
}

bool loadStartImages(SDL_Surface*& frontImage, SDL_Surface*& titleImage, std::string* reason) {
    frontImage = loadImage(kFrontImageFile, reason);
    titleImage = frontImage == nullptr ? nullptr : loadImage(kTitleImageFile, reason);
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
    if (!loadAll(images.ship.data(), kShipImageFiles.data(), kShipImageCount, reason) ||
        !loadAll(images.enemy.data(), kEnemyImageFiles.data(), kSharedEnemySlot, reason) ||
        !loadInto(images.enemy[kSharedEnemySlot], kEnemy3ImageFile, reason)) {
        return false;
    }
    for (int i = kSharedEnemySlot + 1; i < kEnemyImageCount; ++i) {
        images.enemy[i] = images.enemy[kSharedEnemySlot];
    }
    if (!loadAll(images.shot.data(), kShotImageFiles.data(), kShotImageCount, reason) ||
        !loadAll(images.explosion.data(), kExplosionImageFiles.data(), kExplosionImageCount,
                 reason) ||
        !loadAll(images.ammo.data() + 1, kAmmoImageFiles.data() + 1, kWeaponCount - 1, reason) ||
        !loadAll(images.indicator.data(), kIndicatorImageFiles.data(), kWeaponCount, reason) ||
        !loadInto(images.health, kHealthImageFile, reason) ||
        !loadInto(images.completion, kCompletionImageFile, reason) ||
        !loadInto(images.levelUp, kLevelUpImageFile, reason)) {
        return false;
    }

    // The ship, enemy and shrapnel pictures are turned into the 32-bit sprite scratch surface
    // without conversion; any other depth would never be drawn.
    for (int i = 0; i < kShipImageCount; ++i) {
        if (!isTurnable(images.ship[i], kShipImageFiles[i], reason)) {
            return false;
        }
    }
    for (int i = 0; i < kSharedEnemySlot; ++i) {
        if (!isTurnable(images.enemy[i], kEnemyImageFiles[i], reason)) {
            return false;
        }
    }
    if (!isTurnable(images.enemy[kSharedEnemySlot], kEnemy3ImageFile, reason)) {
        return false;
    }
    for (int i = kFirstAlphaShotImages; i < kFirstPickUpImage - 1; ++i) {
        if (!isTurnable(images.shot[i], kShotImageFiles[i], reason)) {
            return false;
        }
    }

    for (int i = 0; i < kExplosionImageCount; ++i) {
        SDL_Surface* image = makeAlphaImage(images.explosion[i], kExplosionImageFiles[i], reason);
        if (image == nullptr) {
            return false;
        }
        images.explosion[i] = image;
    }
    for (int i = 0; i < kFirstAlphaShotImages; ++i) {
        SDL_Surface* image = makeAlphaImage(images.shot[i], kShotImageFiles[i], reason);
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
    const std::array<Mix_Chunk**, kSoundCount> chunks = chunkSlots(sounds);
    for (int n = 0; n < kSoundCount; ++n) {
        *chunks[n] = Mix_LoadWAV_RW(SDL_RWFromFile(kSoundFiles[n], "rb"), 1);
        if (*chunks[n] == nullptr) {
            const std::string why = std::string("cannot be loaded (") + Mix_GetError() + ")";
            Mix_HaltChannel(-1);
            freeChunks(sounds);
            Mix_CloseAudio();
            return fail(reason, kSoundFiles[n], why);
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
    Mix_Volume(-1, kVolume);
    std::array<Mix_Chunk*, kSoundCount> loaded{};
    for (int n = 0; n < kSoundCount; ++n) {
        loaded[n] = *chunks[n];
    }
    installMixLimiter(sounds.limiter, loaded.data(), kSoundCount);
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
