// The player's ship: held keys, firing, speed limit, thrust sound, caption, motion, death, camera
// follow and drawing; and the countdown to the respawn while dead.
#include "game/player.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "game/pickups.h"
#include "game/ship_motion.h"
#include "game/spawn.h"
#include "render/render.h"

namespace {

/// Radians per frame a held arrow turns; the sum is formed in double precision.
constexpr double kTurnStep = 0.1;
constexpr int kFireIntervalMs = 200;  ///< a held fire key fires once the last shot is older
constexpr int kRapidFireMs = 20000;   ///< how long a PowerUp6 lifts that interval
constexpr float kShotSpeed = 20.0f;   ///< world units per frame on top of the ship's velocity
constexpr float kShotLead = 2.0f;     ///< frames of flight a new shot starts ahead of the ship
constexpr int kSwarmVolley = 3;       ///< shots of one swarm volley
constexpr float kMaxSpeedSquared = 1024.0f;  ///< (world units per frame)²
constexpr float kMaxSpeed = 32.0f;           ///< world units per frame
constexpr int kThrustFadeInMs = 125;
constexpr const char* kIconName = "foo";  ///< the window's icon name during play
constexpr int kDeadFrames = 100;
constexpr float kRespawnPosition = 900.0f;  ///< world units, both axes
constexpr int kRespawnHealth = 100;
/// Half a turn; the sprites point down the picture's −y, hence the extra half turn. The constant
/// is the game's own, a little over π.
constexpr double kSpriteTurn = 3.141596;
/// The ship's 122 × 122 sprite box: the pivot sits 66 pixels in from its top-left corner.
constexpr double kSpritePivot = 66.0;
constexpr Sint16 kSpriteTargetX = 400;  ///< where the Camera wants the sprite box, screen pixels
constexpr Sint16 kSpriteTargetY = 250;
constexpr int kCameraEasing = 5;  ///< the Camera closes a fifth of the distance per frame

bool held(const FrameInput& input, SDLKey key) {
    return input.keys[key] != 0;
}

/// Weapons 0..4 on the keys 1..5; with several held the highest wins.
void selectWeapon(Ship& player, const FrameInput& input) {
    static constexpr SDLKey kWeaponKeys[kWeaponCount] = {SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5};
    for (int w = 0; w < kWeaponCount; ++w) {
        if (held(input, kWeaponKeys[w])) {
            player.weapon = w;
        }
    }
}

/// Turning (or, with Right Shift, strafing) and thrust. Both arrows held act one after the other.
bool steer(Ship& player, const FrameInput& input) {
    bool moving = false;
    const bool strafing = held(input, SDLK_RSHIFT);
    if (held(input, SDLK_LEFT)) {
        if (strafing) {
            shipStrafe(player, 1.0f);
        } else {
            player.heading = static_cast<float>(static_cast<double>(player.heading) + kTurnStep);
        }
        moving = true;
    }
    if (held(input, SDLK_RIGHT)) {
        if (strafing) {
            shipStrafe(player, -1.0f);
        } else {
            player.heading = static_cast<float>(static_cast<double>(player.heading) - kTurnStep);
        }
        moving = true;
    }
    if (held(input, SDLK_UP)) {
        shipThrust(player, 1.0f);
        moving = true;
    }
    if (held(input, SDLK_DOWN)) {
        shipThrust(player, -1.0f);
        moving = true;
    }
    return moving;
}

/// One volley of the selected weapon, when the fire interval (or rapid fire) allows it.
void fire(GameState& state, const FrameInput& input) {
    Ship& player = state.player;
    // Signed differences of the tick count; kept in 64 bits so that they cannot overflow.
    const int64_t now = static_cast<int32_t>(input.ticks);
    if (!(now - state.lastFireTicks > kFireIntervalMs ||
          now - state.rapidFireTicks < kRapidFireMs)) {
        return;
    }
    state.lastFireTicks = static_cast<int>(now);

    // The count is lowered before it is tested, so the last round of a weapon fires a SimpleShot,
    // and a weapon with no rounds left goes to −1 and fires a SimpleShot as well.
    if (player.weapon != SimpleShot) {
        state.ammo[player.weapon] -= 1;
    }
    if (state.ammo[player.weapon] < 1) {
        player.weapon = SimpleShot;
    }
    if (player.weapon == PurpleLaser) {
        playSound(state.sounds.laser);
    }

    const int count = player.weapon == Swarm ? kSwarmVolley : 1;
    for (int n = 0; n < count; ++n) {
        Shot& shot = spawnShot(state.shots, player);
        const float offset = player.weapon == Swarm ? static_cast<float>(swarmSpread()) : 0.0f;
        const double aim = static_cast<double>(shot.heading + offset);
        shot.vx = static_cast<float>(shot.vx + kShotSpeed * std::sin(aim));
        shot.vy = static_cast<float>(shot.vy + kShotSpeed * std::cos(aim));
        shot.x = shot.x + kShotLead * shot.vx;
        shot.y = shot.y + kShotLead * shot.vy;
        shot.kind = player.weapon;  // the heading stays the ship's, without the offset
    }
}

/// Caps the speed at 32 world units per frame. It comes after firing, so a shot fired this frame
/// inherits the velocity before the cap.
void limitSpeed(Ship& player) {
    const float speedSquared = player.vx * player.vx + player.vy * player.vy;
    if (speedSquared > kMaxSpeedSquared) {
        const float speed = std::sqrt(speedSquared);
        player.vx = (kMaxSpeed / speed) * player.vx;
        player.vy = (kMaxSpeed / speed) * player.vy;
    }
}

/// Starts the looping thrust sound while an arrow acts and halts it when none does. A loop that
/// fails to start is tried again the next frame.
void updateThrustSound(GameState& state, bool moving) {
    if (moving && state.thrustChannel == -1) {
        if (state.sounds.thrust == nullptr) {
            return;
        }
        // -1 when no channel is free: the next frame tries again.
        state.thrustChannel =
            Mix_FadeInChannelTimed(-1, state.sounds.thrust, -1, kThrustFadeInMs, -1);
    } else if (!moving && state.thrustChannel != -1) {
        Mix_HaltChannel(state.thrustChannel);
        state.thrustChannel = -1;
    }
}

void showCaption(GameState& state) {
    std::snprintf(state.caption, sizeof state.caption, " health:%d Kills: %d", state.player.health,
                  state.kills);
    // SDL copies both strings on every call; setting the same caption again changes nothing on
    // screen, so it is left alone and play allocates nothing here.
    char* title = nullptr;
    char* icon = nullptr;
    SDL_WM_GetCaption(&title, &icon);
    if (title == nullptr || icon == nullptr || std::strcmp(title, state.caption) != 0 ||
        std::strcmp(icon, kIconName) != 0) {
        SDL_WM_SetCaption(state.caption, kIconName);
    }
}

/// Explosion, debris and the countdown of a ship that has fallen below 0 health.
void die(GameState& state) {
    Ship& player = state.player;
    // The copied kind 0 and age 0 make it a large explosion at its first frame.
    spawnExplosion(state.explosions, player);
    player.respawnCountdown = kDeadFrames;
    const int pieces = std::rand() % 4 + 3;
    playSound(state.sounds.largeExplosion);
    dropDebris(state, player, pieces);
}

/// Places the sprite box for picture position p with the Camera as it stands, then eases the
/// Camera a fifth of the way towards putting the box at (400, 250). 16-bit arithmetic throughout.
SDL_Rect followCamera(GameState& state, const PicturePos& p) {
    SDL_Rect sprite{0, 0, 0, 0};
    sprite.x = static_cast<Sint16>(static_cast<int>(p.x - kSpritePivot - state.camera.x));
    sprite.y = static_cast<Sint16>(static_cast<int>(p.y - kSpritePivot - state.camera.y));
    state.camera.x =
        static_cast<Sint16>(state.camera.x + (sprite.x - kSpriteTargetX) / kCameraEasing);
    state.camera.y =
        static_cast<Sint16>(state.camera.y + (sprite.y - kSpriteTargetY) / kCameraEasing);
    return sprite;
}

/// The pose: 1 turning left, 2 turning right (wins over left), plus 3 under thrust.
int shipPose(const FrameInput& input) {
    int pose = held(input, SDLK_LEFT) ? 1 : 0;
    if (held(input, SDLK_RIGHT)) {
        pose = 2;
    }
    if (held(input, SDLK_UP)) {
        pose += 3;
    }
    return pose;
}

/// Turns the ship's picture to its heading as the Lattice bends it and blits it at sprite.
void drawShip(GameState& state, const FrameInput& input, SDL_Rect sprite) {
    const Ship& player = state.player;
    SDL_FillRect(state.spriteScratch, nullptr, 0);
    float dx = 0.0f;
    float dy = 0.0f;
    state.currentLattice->mapDirection(
        player.x / kWorldUnitsPerLatticeUnit, player.y / kWorldUnitsPerLatticeUnit,
        static_cast<float>(std::sin(static_cast<double>(player.heading))),
        static_cast<float>(std::cos(static_cast<double>(player.heading))), dx, dy);
    const float angle = static_cast<float>(std::atan2(static_cast<double>(dx), dy) + kSpriteTurn);
    const SDL_Rect target{66, 66, 0, 0};
    const SDL_Rect source{0, 0, 90, 103};
    const SDL_Rect pivot{45, 52, 0, 0};
    rotateSprite(state.spriteScratch, target, state.images.ship[shipPose(input)], source, angle,
                 pivot);
    blitAt(state.spriteScratch, nullptr, state.screen, sprite.x, sprite.y);
}

void updateLivingPlayer(GameState& state, const FrameInput& input) {
    Ship& player = state.player;
    selectWeapon(player, input);
    const bool moving = steer(player, input);
    if (held(input, SDLK_RCTRL) || held(input, SDLK_LCTRL) || held(input, SDLK_SPACE)) {
        fire(state, input);
    }
    limitSpeed(player);
    updateThrustSound(state, moving);
    showCaption(state);
    shipMotionStep(player, *state.currentLattice);
    if (player.health < 0) {
        die(state);
    }
    // The ship is still placed and drawn on the frame on which it explodes.
    PicturePos p = state.playerPicturePos;
    state.currentLattice->mapPoint(player.x / kWorldUnitsPerLatticeUnit,
                                   player.y / kWorldUnitsPerLatticeUnit, p.x, p.y, false, false);
    const SDL_Rect sprite = followCamera(state, p);
    drawShip(state, input, sprite);
}

/// Counts down; on the frame that reads 1 the ship is reborn at its start point, weapon and ammo
/// kept, and flies from the next frame on.
void updateDeadPlayer(GameState& state) {
    Ship& player = state.player;
    if (player.respawnCountdown == 1) {
        playSound(state.sounds.respawn);
        player.x = kRespawnPosition;
        player.y = kRespawnPosition;
        player.vx = 0.0f;
        player.vy = 0.0f;
        player.heading = 0.0f;
        player.spin = 0.0f;
        player.health = kRespawnHealth;
    }
    player.respawnCountdown -= 1;
}

}  // namespace

void updatePlayer(GameState& state, const FrameInput& input) {
    if (state.player.respawnCountdown == 0) {
        updateLivingPlayer(state, input);
    } else {
        updateDeadPlayer(state);
    }
}
