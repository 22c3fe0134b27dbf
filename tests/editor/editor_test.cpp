// The editor's model without SDL windows: edit commands and their undo, the limits the game's
// reader sets, brushes, the view transform, the overview's reduction and the script reader.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "editor/brushes.h"
#include "editor/document.h"
#include "editor/picking.h"
#include "editor/play_test.h"
#include "editor/reduce.h"
#include "editor/script.h"
#include "editor/view_transform.h"

namespace {

/// A document over three default levels of different sizes; the first is bent a little.
EditorDocument threeLevels() {
    auto set = std::make_unique<LevelSet>();
    set->appendLattice(5, 4);
    set->appendLattice(3, 3);
    set->appendLattice(6, 5);
    set->lattices[0]->setNodeAndRefit(2, 1, 83.5f, 37.25f);
    return EditorDocument(std::move(set), "unused.lvl");
}

std::vector<LatticeShape> shapes(const EditorDocument& doc) {
    std::vector<LatticeShape> all;
    for (int l = 0; l < doc.levelCount(); ++l) {
        all.push_back(captureShape(doc.lattice(l)));
    }
    return all;
}

std::string fileBytes(const EditorDocument& doc) {
    const std::string path =
        testing::TempDir() + "editor_test_" + std::to_string(getpid()) + ".lvl";
    EXPECT_EQ(writeLevelFile(doc.levels(), path.c_str()), 0);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    std::remove(path.c_str());
    return bytes;
}

/// Whether two Lattices hold the same bytes in every node and rim entry, coefficients included.
bool sameBlocks(const Lattice& a, const Lattice& b) {
    for (int i = 0; static_cast<float>(i) < a.columns; ++i) {
        if (std::memcmp(a.nodes[i].get(), b.nodes[i].get(),
                        sizeof(LatticeNode) * static_cast<size_t>(a.rows)) != 0) {
            return false;
        }
    }
    return std::memcmp(a.rim.get(), b.rim.get(),
                       sizeof(LatticeNode) * static_cast<size_t>(a.rimCount)) == 0;
}

/// A shape edit of one level that puts value into entry index of its nodes (or of its rim).
EditCommand shapeEdit(const EditorDocument& doc, int level, bool rim, int index, float value) {
    const LatticeShape shape = captureShape(doc.lattice(level));
    EditCommand command{EditKind::Shape, level, 0, shape, shape, 0, ""};
    (rim ? command.after.rim : command.after.nodes)[static_cast<size_t>(index)] = value;
    return command;
}

EditCommand levelEdit(EditKind kind, int level, int target, LatticeShape after = {}) {
    return EditCommand{kind, level, target, {}, std::move(after), 0, ""};
}

}  // namespace

TEST(EditorCommands, EachEditDoesItsPartAndUndoesToTheSameBytes) {
    const EditorDocument base = threeLevels();
    EditCommand reset = shapeEdit(base, 0, false, 0, 0.0f);
    reset.after = defaultShape(5, 4);
    const EditCommand commands[] = {
        shapeEdit(base, 0, false, 2 * (3 * 4 + 2), 127.5f),  // node (3, 2)
        shapeEdit(base, 2, true, 1, 0.75f),                  // v of rim point 0
        reset,
        levelEdit(EditKind::InsertLevel, 1, 0, defaultShape(4, 7)),
        levelEdit(EditKind::InsertLevel, -3, 0, defaultShape(4, 7)),  // goes first
        levelEdit(EditKind::InsertLevel, 9, 0, defaultShape(4, 7)),   // goes last
        levelEdit(EditKind::RemoveLevel, 0, 0),
        levelEdit(EditKind::MoveLevel, 0, 2),
    };
    for (size_t n = 0; n < std::size(commands); ++n) {
        SCOPED_TRACE(n);
        const EditCommand& command = commands[n];
        EditorDocument doc = threeLevels();
        const std::string original = fileBytes(doc);
        // The levels expected afterwards, by the same change made to the list of shapes.
        std::vector<LatticeShape> expected = shapes(doc);
        const auto at = expected.begin() + std::clamp(command.level, 0, 3);
        switch (command.kind) {
            case EditKind::Shape:
                *at = command.after;
                break;
            case EditKind::InsertLevel:
                expected.insert(at, command.after);
                break;
            case EditKind::RemoveLevel:
                expected.erase(at);
                break;
            case EditKind::MoveLevel:  // later only
                std::rotate(at, at + 1, expected.begin() + command.target + 1);
                break;
        }
        ASSERT_EQ(doc.perform(command), "");
        EXPECT_TRUE(doc.unsaved());
        const auto after = shapes(doc);
        EXPECT_EQ(after, expected);
        // Every spline block is current: a Lattice built afresh from the shape has the same.
        for (int l = 0; l < doc.levelCount(); ++l) {
            EXPECT_TRUE(sameBlocks(doc.lattice(l), *buildLattice(after[l]))) << "level " << l;
        }
        ASSERT_TRUE(doc.undo());
        EXPECT_EQ(std::make_pair(fileBytes(doc), doc.unsaved()), std::make_pair(original, false));
        ASSERT_TRUE(doc.redo());
        EXPECT_EQ(shapes(doc), after);
        EXPECT_FALSE(doc.redo());
    }
}

TEST(EditorCommands, StrokesAreOneStepAndUndoKeepsTheLast500Steps) {
    EditorDocument doc = threeLevels();
    const std::string original = fileBytes(doc);
    // One drag of ten motions of node (1, 1), then 250 separate edits.
    const LatticeShape start = captureShape(doc.lattice(0));
    const int y = start.nodeIndex(1, 1) + 1;
    for (int motion = 1; motion <= 10; ++motion) {
        EditCommand command = shapeEdit(doc, 0, false, y, start.nodes[y] + motion);
        command.before = start;
        command.stroke = 7;
        ASSERT_EQ(doc.perform(command), "");
    }
    ASSERT_TRUE(doc.undo() && doc.redo());  // undone and redone whole
    EXPECT_EQ(std::make_pair(doc.undoDepth(), doc.lattice(0).node(1, 1).y),
              std::make_pair(size_t{1}, start.nodes[y] + 10));
    std::string oldestKept;  // the stroke and the first 100 edits are forgotten
    for (int step = 0; step < 600; ++step) {
        ASSERT_EQ(doc.perform(shapeEdit(doc, step % 3, false, 4, 1.0f + step)), "");
        oldestKept = step == 99 ? fileBytes(doc) : oldestKept;
    }
    for (int pass = 0; pass < 2; ++pass) {  // undo all, redo all, then undo all again
        EXPECT_EQ(doc.undoDepth(), 500u) << pass;
        while (doc.undo()) {
        }
        EXPECT_EQ(std::make_pair(fileBytes(doc), doc.unsaved()), std::make_pair(oldestKept, true));
        while (pass == 0 && doc.redo()) {
        }
    }
}

TEST(EditorCommands, EditsTheGameCouldNotReadAreRefusedAndChangeNothing) {
    const EditorDocument base = threeLevels();
    // No Lattice of two columns can even be built.
    const LatticeShape narrow{2, 5, std::vector<float>(20), std::vector<float>(20)};
    const EditCommand commands[] = {
        shapeEdit(base, 0, false, 0, kNodeLimit + 1.0f),   // a node too far right
        shapeEdit(base, 1, false, 1, -kNodeLimit - 1.0f),  // too far up
        shapeEdit(base, 1, false, 3, NAN),
        shapeEdit(base, 0, true, 2, 5.01f),  // a rim point beyond the last column
        shapeEdit(base, 0, true, 1, -1.0f),  // a cell above the grid
        levelEdit(EditKind::InsertLevel, 0, 0, narrow),
        levelEdit(EditKind::MoveLevel, 0, -1),
        levelEdit(EditKind::MoveLevel, 2, 3),
    };
    for (size_t n = 0; n < std::size(commands); ++n) {
        SCOPED_TRACE(n);
        EditorDocument doc = threeLevels();
        const std::string original = fileBytes(doc);
        EXPECT_NE(doc.perform(commands[n]), "");
        EXPECT_EQ(std::make_tuple(fileBytes(doc), doc.undoDepth(), doc.unsaved()),
                  std::make_tuple(original, size_t{0}, false));
    }
    // A node the game reads but the editor would not put there does not block edits elsewhere.
    auto loaded = std::make_unique<LevelSet>();
    loaded->appendLattice(5, 4);
    loaded->lattices[0]->setNodeAndRefit(0, 0, kNodeLimit + 500.0f, 0);
    EditorDocument doc(std::move(loaded), "unused.lvl");
    EXPECT_EQ(doc.perform(shapeEdit(doc, 0, false, 9, 12.0f)), "");
    // The last level stays: the game needs one.
    doc = threeLevels();
    ASSERT_EQ(doc.perform(levelEdit(EditKind::RemoveLevel, 0, 0)), "");
    ASSERT_EQ(doc.perform(levelEdit(EditKind::RemoveLevel, 0, 0)), "");
    EXPECT_NE(doc.perform(levelEdit(EditKind::RemoveLevel, 0, 0)), "");
    EXPECT_EQ(doc.levelCount(), 1);
}

TEST(EditorBrushes, OnlyNodesWithinTheRadiusMoveEachBrushItsOwnWayByItsStrength) {
    // Push moves along the drag, bulge out, pinch in, twist round the centre (clockwise on screen,
    // reversed the other way) keeping the distance, smooth lowers the roughness.
    const auto roughness = [](const LatticeShape& s) {
        double sum = 0;
        for (int i = 0; i + 1 < s.columns; ++i) {
            for (int j = 0; j + 1 < s.rows; ++j) {
                for (int n : {s.nodeIndex(i + 1, j), s.nodeIndex(i, j + 1)}) {
                    const int m = s.nodeIndex(i, j);
                    sum += std::pow(s.nodes[n] - s.nodes[m], 2) +
                           std::pow(s.nodes[n + 1] - s.nodes[m + 1], 2);
                }
            }
        }
        return sum;
    };
    std::srand(12);
    for (BrushKind kind : {BrushKind::Push, BrushKind::Bulge, BrushKind::Pinch, BrushKind::Twist,
                           BrushKind::Smooth}) {
        for (int trial = 0; trial < 20; ++trial) {
            LatticeShape shape = defaultShape(12, 9);
            // A bent start, so that smoothing has something to do.
            for (size_t n = 0; n < shape.nodes.size(); ++n) {
                shape.nodes[n] += static_cast<float>(std::rand() % 21 - 10);
            }
            const LatticeShape before = shape;
            Brush brush{kind, 30.0f + static_cast<float>(std::rand() % 100), 0.8f, trial % 2 == 1};
            const float x = static_cast<float>(std::rand() % 480);
            const float y = static_cast<float>(std::rand() % 360);
            const int moved = applyBrushStep(shape, brush, x, y, 6.0f, -4.0f);
            LatticeShape half = before;
            brush.strength = 0.4f;
            applyBrushStep(half, brush, x, y, 6.0f, -4.0f);
            int inside = 0;
            for (size_t n = 0; n < shape.nodes.size(); n += 2) {
                const float rx = before.nodes[n] - x, ry = before.nodes[n + 1] - y;
                const float mx = shape.nodes[n] - before.nodes[n];
                const float my = shape.nodes[n + 1] - before.nodes[n + 1];
                const float d = std::hypot(rx, ry), step = std::hypot(mx, my);
                EXPECT_FALSE(step > 0 && d >= brush.radius) << "node " << n / 2 << " at " << d;
                inside += d < brush.radius * 0.5f ? 1 : 0;
                EXPECT_FALSE(kind != BrushKind::Smooth && d > 1 && d < brush.radius * 0.5f &&
                             step == 0)
                    << "node " << n / 2 << " well inside did not move";
                if (step < 1e-3f || kind == BrushKind::Smooth) {
                    continue;
                }
                const float along = kind == BrushKind::Push ? mx * 6 - my * 4 : mx * rx + my * ry;
                const float turn = rx * my - ry * mx;
                const bool back =
                    kind == BrushKind::Pinch || (kind == BrushKind::Twist && brush.reversed);
                const float sign = back ? -1.0f : 1.0f;
                if (kind == BrushKind::Twist) {
                    EXPECT_GT(sign * turn, 0.0f) << "twist direction";
                    EXPECT_NEAR(std::hypot(rx + mx, ry + my), d, 1e-3f * d + 1e-3f);
                } else {
                    EXPECT_GT(sign * along, 0.0f) << "brush " << int(kind) << " direction";
                    EXPECT_NEAR(kind == BrushKind::Push ? mx * 4 + my * 6 : turn, 0.0f, 1e-2f * d);
                }
                const float hx = half.nodes[n] - before.nodes[n];
                const float hy = half.nodes[n + 1] - before.nodes[n + 1];
                EXPECT_NEAR(std::hypot(hx, hy), step / 2, 1e-2f * step + 1e-4f) << "half strength";
            }
            EXPECT_LE(moved, static_cast<int>(shape.nodes.size() / 2));
            if (inside > 0) {
                EXPECT_GT(moved, 0) << "a brush over nodes moved none";
                EXPECT_TRUE(kind != BrushKind::Smooth || roughness(shape) < roughness(before));
            }
        }
    }
    // On the flat default grid a node with four neighbours is their mean already: smoothing
    // moves only the border.
    const LatticeShape flat = defaultShape(12, 9);
    LatticeShape smoothed = flat;
    applyBrushStep(smoothed, Brush{BrushKind::Smooth, 500.0f, 0.8f, false}, 220, 160, 0, 0);
    for (size_t n = 0; n < flat.nodes.size(); ++n) {
        const int i = static_cast<int>(n / 2) / 9, j = static_cast<int>(n / 2) % 9;
        const bool border = i == 0 || i == 11 || j == 0 || j == 8;
        EXPECT_TRUE(border || smoothed.nodes[n] == flat.nodes[n]) << "node " << i << ", " << j;
    }
    EXPECT_NE(smoothed.nodes, flat.nodes);
}

TEST(EditorView, ZoomKeepsThePointUnderTheCursorAndFitHoldsTheBox) {
    ViewTransform view{1, 1, 0, 0, 960, 684};  // a 960 × 684 drawing area
    fitBox(view, 0, 0, 2200, 1720);            // the largest shipped arena needs the overview
    EXPECT_EQ(std::make_pair(view.scale, view.shrink), std::make_pair(1, 3));
    EXPECT_TRUE(windowX(view, 0) >= 0 && windowX(view, 2200) <= view.width &&
                windowY(view, 1720) <= view.height);
    fitBox(view, 0, 0, 200, 120);
    EXPECT_EQ(std::make_pair(view.scale, view.shrink), std::make_pair(4, 1));
    // Zoom levels from 4: the step out of 1/1 is the overview's 1/2, and back in is 1/1.
    const int zooms[][3] = {{1, 5, 1},  {2, 7, 1}, {-1, 6, 1}, {-3, 3, 1},
                            {-6, 1, 5}, {5, 2, 1}, {9, 11, 1}};
    for (const auto& [steps, scale, shrink] : zooms) {
        const float x = pictureX(view, 300), y = pictureY(view, 200);
        zoomAt(view, steps, 300, 200);
        const int reach = view.shrink > 1 ? 1 : 0;  // the overview rounds to its shrink
        EXPECT_NEAR(windowX(view, x), 300, reach) << steps;
        EXPECT_NEAR(windowY(view, y), 200, reach) << steps;
        EXPECT_EQ(std::make_pair(view.scale, view.shrink), std::make_pair(scale, shrink)) << steps;
    }
    zoomAt(view, 40, 0, 0);
    EXPECT_EQ(view.scale, kMaximumScale);
    zoomAt(view, -40, 0, 0);
    EXPECT_EQ(view.shrink, kMaximumShrink);
    // Scale 1 holds a box up to the window less 24 pixels on each side, and no more.
    const int fits[][3] = {{911, 100, 1}, {912, 100, 2}, {100, 635, 1}, {100, 636, 2}};
    for (const auto& [w, h, shrink] : fits) {
        fitBox(view, 40, 30, static_cast<float>(w + 40), static_cast<float>(h + 30));
        EXPECT_EQ(std::make_pair(view.scale, view.shrink), std::make_pair(1, shrink))
            << w << "x" << h;
    }
}

TEST(EditorPicking, ThePointUnderTheCursorIsFoundOnTheBentSheetAndHandlesWithinReach) {
    const EditorDocument doc = threeLevels();
    const Lattice& lattice = doc.lattice(0);
    std::srand(3);
    for (int n = 0; n < 200; ++n) {
        const float u = static_cast<float>(std::rand() % 400) / 100.0f;
        const float v = static_cast<float>(std::rand() % 300) / 100.0f;
        float x = 0, y = 0, foundU = -9, foundV = -9;
        lattice.mapPoint(u, v, x, y, false, false);
        ASSERT_TRUE(latticePointAt(lattice, x, y, foundU, foundV)) << u << ", " << v;
        EXPECT_LT(std::hypot(foundU - u, foundV - v), 1e-3f) << u << ", " << v;
    }
    float u = 0, v = 0;  // left of the grid, below it
    EXPECT_FALSE(latticePointAt(lattice, -500, 40, u, v) || latticePointAt(lattice, 40, 180, u, v));
    // A node's handle or a rim point is taken from 8 window pixels away, not from 9.
    const ViewTransform view;
    const LatticeNode& node = lattice.node(1, 2);
    lattice.rimPoint(3.0f, u, v);
    for (const int d : {8, 9}) {
        EXPECT_EQ(pickNode(lattice, view, windowX(view, node.x), windowY(view, node.y) + d),
                  (d == 8 ? NodeRef{1, 2} : NodeRef{}));
        EXPECT_EQ(pickRimPoint(lattice, view, referenceX(view, u) - d, referenceY(view, v)),
                  d == 8 ? 3 : -1);
    }
}

TEST(EditorScript, CommandsAreReadAndMalformedLinesNamed) {
    const std::string path = testing::TempDir() + "editor_script_" + std::to_string(getpid());
    struct Case {
        const char* text;
        bool good;
    };
    const Case cases[] = {
        {"press 10 20 1\nmove 11 22\nrelease 11 22 left\n# note\n\nview\n", true},
        {"key ctrl+s\nkey z\nkey ctrl+shift+z\nkey tab\nkey pagedown\nkey f15\nkey [\n", true},
        {"wheel -2\nshot out.bmp\n", true},
        {"press 10 20\n", false},
        {"press 10 x 1\n", false},
        {"move 1 100001\n", false},
        {"move -100000 100000\n", true},
        {"move -100001 1\n", false},
        {"release 1 2 4\n", false},
        {"key hyper+s\n", false},
        {"key pagedwn\n", false},
        {"key f16\n", false},
        {"wheel 0\n", false},
        {"shot out.png\n", false},
        {"view now\n", false},
        {"jump 1 2\n", false}};
    for (const Case& c : cases) {
        std::ofstream(path) << c.text;
        std::vector<ScriptCommand> commands;
        std::string reason;
        EXPECT_EQ(readScript(path, commands, &reason), c.good) << c.text;
        EXPECT_TRUE(c.good || reason.find(path + ":1: malformed command") != std::string::npos)
            << reason;
    }
    std::remove(path.c_str());
    std::vector<ScriptCommand> none;
    std::string why;
    EXPECT_FALSE(readScript(path, none, &why));  // now missing
    EXPECT_EQ(why, path + ": cannot open the script");
    SDL_keysym key;
    ASSERT_TRUE(parseKeyName("ctrl+shift+pageup", key));
    EXPECT_EQ(std::make_pair(key.sym, (key.mod & KMOD_CTRL) && (key.mod & KMOD_SHIFT)),
              std::make_pair(SDLK_PAGEUP, true));
    for (const char* name : {"q", "shift+q"}) {  // the character typed: a capital with Shift
        ASSERT_TRUE(parseKeyName(name, key));
        EXPECT_EQ(key.unicode, name[0] == 'q' ? 'q' : 'Q') << name;
    }
    ScriptCommand wheel;
    wheel.verb = ScriptVerb::Wheel;
    wheel.amount = -2;
    const auto events = scriptEvents(wheel, 40, 50);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ((std::make_pair<int, int>(events[0].button.button, events[0].button.x)),
              std::make_pair(SDL_BUTTON_WHEELDOWN, 40));
}

TEST(EditorOverview, ReductionIsTheRoundedMeanOfEachBlock) {
    std::srand(5);
    SDL_Color palette[4] = {{8, 12, 24, 0}, {0, 255, 0, 0}, {255, 255, 255, 0}, {255, 0, 0, 0}};
    for (int f : {2, 3, 5}) {
        SDL_Surface* big = SDL_CreateRGBSurface(SDL_SWSURFACE, 13 * f, 4 * f, 8, 0, 0, 0, 0);
        SDL_SetColors(big, palette, 0, 4);
        SDL_FillRect(big, nullptr, 0);
        auto index = [&](int x, int y) -> Uint8& {
            return static_cast<Uint8*>(big->pixels)[y * big->pitch + x];
        };
        for (int n = 0; n < 60; ++n) {  // a sparse picture, as levels are
            index(std::rand() % big->w, std::rand() % big->h) = static_cast<Uint8>(std::rand() % 4);
        }
        SDL_Surface* small = reducePicture(big, f, 0);
        ASSERT_NE(small, nullptr);
        ASSERT_EQ(small->w, 13);
        for (int oy = 0; oy < 4; ++oy) {
            for (int ox = 0; ox < 13; ++ox) {
                int sum[3] = {};
                for (int y = oy * f; y < (oy + 1) * f; ++y) {
                    for (int x = ox * f; x < (ox + 1) * f; ++x) {
                        const SDL_Color& c = palette[index(x, y)];
                        sum[0] += c.r;
                        sum[1] += c.g;
                        sum[2] += c.b;
                    }
                }
                const Uint32 got = static_cast<Uint32*>(small->pixels)[oy * small->w + ox];
                for (int channel = 0; channel < 3; ++channel) {
                    EXPECT_EQ(static_cast<int>((got >> (16 - 8 * channel)) & 0xFF),
                              (2 * sum[channel] + f * f) / (2 * f * f))
                        << "f " << f << " block (" << ox << ", " << oy << ")";
                }
            }
        }
        SDL_FreeSurface(small);
        SDL_FreeSurface(big);
    }
}

TEST(EditorPlayTest, TheEditedLevelComesFirstBesideLinksToTheDataAndTheGamesEndIsReported) {
    const EditorDocument doc = threeLevels();
    std::string reason;
    const std::string folder = preparePlayFolder(doc.levels(), 2, LUMEN_DATA_DIR, &reason);
    ASSERT_NE(folder, "") << reason;
    std::unique_ptr<LevelSet> played;
    ASSERT_EQ(readLevelFile(played, (folder + "/foo3.lvl").c_str(), &reason), 0) << reason;
    std::vector<std::pair<float, float>> sizes;
    for (int l = 0; l < played->count; ++l) {
        sizes.emplace_back(played->lattices[l]->columns, played->lattices[l]->rows);
    }
    EXPECT_EQ(sizes, (std::vector<std::pair<float, float>>{{6, 5}, {5, 4}, {3, 3}}));
    float x = 0, y = 0;
    played->lattices[1]->mapPoint(2, 1, x, y, true, true);  // the bend of level 0 came along
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(83.5f, 37.25f));
    for (const char* data : {"/images/titlescreen.bmp", "/sfx/respawn.wav", "/play/front.bmp"}) {
        EXPECT_TRUE(std::ifstream(folder + data).good()) << data;
    }
    EXPECT_EQ(runGame("/bin/true", folder, [] {}), "");
    EXPECT_EQ(runGame("/bin/false", folder, [] {}), "the game ended with a failure (status 1)");
    EXPECT_EQ(runGame("/no/such/game", folder, [] {}), "/no/such/game: cannot run");
    removePlayFolder(folder);
    EXPECT_FALSE(std::ifstream(folder + "/foo3.lvl").good());
}
