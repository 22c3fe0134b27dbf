#pragma once
// What the game, the editor and the tools agree on: the names of the data folder's files, the
// units that join world, lattice and picture space, the heads-up panel's layout, the font strips'
// glyph metrics and the colours of the Lattice pictures. Each fact is written here once: the asset
// generator writes the files the game and the editor read, by these names and to these measures.
// No SDL, so that every program and library may include it.

#include <array>
#include <cstdint>

// ---- Files of the data folder, relative to it

/// Every level of the game, one Lattice per level.
constexpr const char* kLevelFile = "foo3.lvl";

/// The HUD panel, also the loading screen.
constexpr const char* kFrontImageFile = "play/front.bmp";
constexpr const char* kTitleImageFile = "images/titlescreen.bmp";
/// The font strip of the editor's status line and help.
constexpr const char* kEditorFontFile = "images/editorfont.bmp";

/// The player's ship by pose: none, turning left, turning right; the same three under thrust.
constexpr std::array<const char*, 6> kShipImageFiles = {
    "images/ship000.bmp", "images/ship010.bmp", "images/ship100.bmp",
    "images/ship001.bmp", "images/ship011.bmp", "images/ship101.bmp",
};
/// Enemy kinds 0 and 1, six poses each. "enemy20011" stands twice on purpose: the game reads it
/// into two slots, two surfaces with one picture.
constexpr std::array<const char*, 12> kEnemyImageFiles = {
    "images/enemy1000.bmp",  "images/enemy1010.bmp",  "images/enemy1100.bmp",
    "images/enemy1001.bmp",  "images/enemy1011.bmp",  "images/enemy1101.bmp",
    "images/enemy20000.bmp", "images/enemy20011.bmp", "images/enemy20010.bmp",
    "images/enemy21000.bmp", "images/enemy20011.bmp", "images/enemy21100.bmp",
};
/// Enemy kind 2: one picture for every pose.
constexpr const char* kEnemy3ImageFile = "images/enemy3.bmp";

/// The shot images in the game's order, shot kinds 0..16, the animated kinds frame by frame.
constexpr std::array<const char*, 32> kShotImageFiles = {
    "images/simpleshot.bmp",      "images/purplelaser.bmp",     "images/newtriplebomb00.bmp",
    "images/newtriplebomb01.bmp", "images/newtriplebomb02.bmp", "images/newtriplebomb03.bmp",
    "images/newtriplebomb04.bmp", "images/newtriplebomb05.bmp", "images/newtriplebomb06.bmp",
    "images/newtriplebomb07.bmp", "images/newtriplebomb08.bmp", "images/newtriplebomb09.bmp",
    "images/newtriplebomb10.bmp", "images/newtriplebomb11.bmp", "images/swarm0.bmp",
    "images/swarm1.bmp",          "images/swarm2.bmp",          "images/swarm3.bmp",
    "images/swarm4.bmp",          "images/blackhole.bmp",       "images/shrapnel1.bmp",
    "images/shrapnel2.bmp",       "images/shrapnel3.bmp",       "images/shrapnel4.bmp",
    "images/shrapnel5.bmp",       "images/shrapnel6.bmp",       "images/powerup1.bmp",
    "images/powerup2.bmp",        "images/powerup3.bmp",        "images/powerup4.bmp",
    "images/powerup5.bmp",        "images/powerup6.bmp",
};
/// Explosion kinds 0..2 (large, blue, small), six frames each; the blank in the name is meant.
constexpr std::array<const char*, 18> kExplosionImageFiles = {
    "images/explosion1.bmp",      "images/explosion2.bmp",      "images/explosion3.bmp",
    "images/explosion4.bmp",      "images/explosion5.bmp",      "images/explosion6.bmp",
    "images/blue explosion1.bmp", "images/blue explosion2.bmp", "images/blue explosion3.bmp",
    "images/blue explosion4.bmp", "images/blue explosion5.bmp", "images/blue explosion6.bmp",
    "images/smallexplosion1.bmp", "images/smallexplosion2.bmp", "images/smallexplosion3.bmp",
    "images/smallexplosion4.bmp", "images/smallexplosion5.bmp", "images/smallexplosion6.bmp",
};
/// Ammunition icons of weapons 1..4 (weapon 0 needs none), by weapon; entry 0 is unused.
constexpr std::array<const char*, 5> kAmmoImageFiles = {
    nullptr, "images/ammo1.bmp", "images/ammo2.bmp", "images/ammo3.bmp", "images/ammo4.bmp",
};
/// The selected-weapon indicator, by weapon.
constexpr std::array<const char*, 5> kIndicatorImageFiles = {
    "images/indicator0.bmp", "images/indicator1.bmp", "images/indicator2.bmp",
    "images/indicator3.bmp", "images/indicator4.bmp",
};
constexpr const char* kHealthImageFile = "images/health.bmp";
constexpr const char* kCompletionImageFile = "images/completion.bmp";
/// The upper-case extension is meant.
constexpr const char* kLevelUpImageFile = "images/levelup.BMP";

/// The sounds in the game's load order.
enum SoundFile : int {
    LargeExplosionSound,
    SmallExplosionSound,
    SmallFastImpactSound,
    LaserSound,
    ThrustSound,
    ShipCollideSound,
    RespawnSound,
    SpaceWarpSound,
    kSoundCount
};
constexpr std::array<const char*, kSoundCount> kSoundFiles = {
    "sfx/largeexplosion.wav", "sfx/smallexplosion.wav", "sfx/smallfastimpact.wav",
    "sfx/lasertype1.wav",     "sfx/thrust.wav",         "sfx/shipcollide.wav",
    "sfx/respawn.wav",        "sfx/spacewarp2.wav",
};

// ---- Units

/// World units per lattice unit: a position in world units divided by this is a lattice point.
constexpr float kWorldUnitsPerLatticeUnit = 100.0f;
/// Picture pixels per lattice cell in a Lattice's default shape, and in the undeformed reference
/// picture.
constexpr int kDefaultCellPixels = 40;

// ---- The heads-up panel, screen pixels (top-left corners)

constexpr int kPanelTop = 415;   ///< the front image is drawn at (0, 415)
constexpr int kGaugeLeft = 160;  ///< weapon w's indicator and ammo icon sit at 160 + 50·w
constexpr int kGaugeSpacing = 50;
constexpr int kIndicatorTop = 510;
constexpr int kAmmoTop = 540;
constexpr int kBarLeft = 490;
constexpr int kHealthBarTop = 530;
constexpr int kCompletionBarTop = 560;
constexpr int kBarWidth = 200;  ///< pixels of a full bar
constexpr int kBarHeight = 20;

// ---- Font strips

/// The glyph of character code k (1 to 127) is the kGlyphWidth × kGlyphHeight box whose left edge
/// is at (k − 1) · kGlyphAdvance; text advances by kGlyphAdvance per character.
constexpr int kGlyphWidth = 6;
constexpr int kGlyphHeight = 14;
constexpr int kGlyphAdvance = 7;

// ---- Colours of the Lattice pictures

/// An opaque colour, one byte per channel.
struct Rgb {
    uint8_t r;
    uint8_t g;
    uint8_t b;
};
constexpr Rgb kGridColour = {0, 255, 0};          ///< the warped grid, fine and coarse
constexpr Rgb kRimColour = {255, 255, 255};       ///< the rim and its ticks
constexpr Rgb kReferenceGridColour = {0, 0, 0};   ///< the undeformed grid
constexpr Rgb kReferenceRimColour = {255, 0, 0};  ///< the rim in lattice coordinates
