#include "editor/views.h"

#include <SDL_gfxPrimitives.h>

#include <algorithm>
#include <cstdio>

#include "editor/reduce.h"
#include "render/render.h"

namespace {

using Colour = Rgb;
constexpr Colour kWarpBackground = {8, 12, 24};
constexpr Colour kReferenceBackground = {200, 206, 214};
constexpr Colour kStatusBackground = {22, 26, 38};
constexpr Colour kHandle = {90, 150, 255};
constexpr Colour kHover = {255, 230, 40};
constexpr Colour kSelected = {255, 140, 20};
constexpr Colour kWarpRimPoint = {255, 90, 200};
constexpr Colour kReferenceRimPoint = {140, 0, 0};
constexpr Colour kBrushRing = {255, 255, 255};
constexpr Colour kFoldTint = {255, 40, 40};
constexpr Uint8 kFoldOpacity = 110;
constexpr Colour kPanel = {40, 20, 20};
constexpr Colour kPanelEdge = {255, 200, 60};
/// Points taken along each side of a folded cell for its tinted outline.
constexpr int kFoldOutlineSteps = 4;
/// Every colour the level pictures use (Lattice lines and backgrounds), for the overview's
/// one-byte picture.
constexpr SDL_Color kOverviewPalette[] = {
    {kWarpBackground.r, kWarpBackground.g, kWarpBackground.b, 0},
    {kReferenceBackground.r, kReferenceBackground.g, kReferenceBackground.b, 0},
    {kGridColour.r, kGridColour.g, kGridColour.b, 0},
    {kRimColour.r, kRimColour.g, kRimColour.b, 0},
    {kReferenceGridColour.r, kReferenceGridColour.g, kReferenceGridColour.b, 0},
    {kReferenceRimColour.r, kReferenceRimColour.g, kReferenceRimColour.b, 0},
};
constexpr Uint8 kHelpShade = 215;  ///< opacity of the help overlay's backing

constexpr int kTextRow = 15;  ///< pixels from one text row to the next

Uint32 pixel(SDL_Surface* surface, Colour c) {
    return SDL_MapRGB(surface->format, c.r, c.g, c.b);
}

void fillBox(SDL_Surface* surface, int x, int y, int w, int h, Colour c) {
    SDL_Rect box = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w),
                    static_cast<Uint16>(h)};
    SDL_FillRect(surface, &box, pixel(surface, c));
}

/// A square handle of the given half size centred on (x, y), filled or as an outline.
void handle(SDL_Surface* surface, int x, int y, int half, Colour c, bool filled) {
    if (x < -half || y < -half || x > surface->w + half || y > surface->h + half) {
        return;
    }
    if (filled) {
        fillBox(surface, x - half, y - half, 2 * half + 1, 2 * half + 1, c);
    } else {
        rectangleRGBA(surface, static_cast<Sint16>(x - half), static_cast<Sint16>(y - half),
                      static_cast<Sint16>(x + half), static_cast<Sint16>(y + half), c.r, c.g, c.b,
                      255);
    }
}

void drawNodeHandles(SDL_Surface* screen, const EditorState& state) {
    const Lattice& lattice = state.document.lattice(state.document.currentLevel());
    const ViewTransform& view = state.view;
    if (view.shrink == 1) {
        for (int i = 0; static_cast<float>(i) < lattice.columns; ++i) {
            for (int j = 0; static_cast<float>(j) < lattice.rows; ++j) {
                const LatticeNode& node = lattice.node(i, j);
                handle(screen, windowX(view, node.x), windowY(view, node.y), 1, kHandle, true);
            }
        }
    }
    for (int k = 0; static_cast<float>(k) < lattice.rimCount; ++k) {
        float u = 0, v = 0, x = 0, y = 0;
        lattice.rimPoint(static_cast<float>(k), u, v);
        lattice.mapPoint(u, v, x, y, false, false);
        handle(screen, windowX(view, x), windowY(view, y), 1, kWarpRimPoint, true);
    }
    const NodeRef marked[2] = {state.selectedNode, state.drag.node};
    for (const NodeRef& node : marked) {
        if (node.valid()) {
            const LatticeNode& n = lattice.node(node.i, node.j);
            handle(screen, windowX(view, n.x), windowY(view, n.y), 2, kSelected, true);
        }
    }
    if (state.hoverNode.valid() && state.drag.kind == DragKind::None) {
        const LatticeNode& n = lattice.node(state.hoverNode.i, state.hoverNode.j);
        handle(screen, windowX(view, n.x), windowY(view, n.y), 4, kHover, false);
    }
}

void drawRimHandles(SDL_Surface* screen, const EditorState& state) {
    const Lattice& lattice = state.document.lattice(state.document.currentLevel());
    for (int k = 0; static_cast<float>(k) < lattice.rimCount; ++k) {
        float u = 0, v = 0;
        lattice.rimPoint(static_cast<float>(k), u, v);
        const int x = referenceX(state.view, u);
        const int y = referenceY(state.view, v);
        const bool active = k == state.hoverRim || k == state.drag.rimPoint;
        handle(screen, x, y, 2, kReferenceRimPoint, true);
        if (active) {
            handle(screen, x, y, 5, kSelected, false);
        }
    }
}

void drawBrushRing(SDL_Surface* screen, const EditorState& state) {
    if (state.referenceView || state.tool == ToolKind::Node || state.cursorX < 0) {
        return;
    }
    const ViewTransform& view = state.view;
    const float radius =
        view.shrink > 1 ? state.brush.radius / view.shrink : state.brush.radius * view.scale;
    circleRGBA(screen, static_cast<Sint16>(state.cursorX), static_cast<Sint16>(state.cursorY),
               static_cast<Sint16>(radius), kBrushRing.r, kBrushRing.g, kBrushRing.b, 160);
}

void drawStatus(SDL_Surface* screen, SDL_Surface* font, const EditorState& state, int folded) {
    const int top = screen->h - kStatusHeight;
    fillBox(screen, 0, top, screen->w, kStatusHeight, kStatusBackground);
    std::string first, second;
    statusText(state, folded, first, second);
    drawText(screen, font, first.c_str(), 0, static_cast<Sint16>(top + 3));
    drawText(screen, font, second.c_str(), 0, static_cast<Sint16>(top + 3 + kTextRow));
}

void drawHelp(SDL_Surface* screen, SDL_Surface* font, const std::vector<HelpLine>& lines) {
    const int height = static_cast<int>(lines.size() + 3) * kTextRow;
    const int top = (screen->h - kStatusHeight - height) / 2;
    const int left = 90;
    boxRGBA(screen, static_cast<Sint16>(left - 20), static_cast<Sint16>(top - 10),
            static_cast<Sint16>(screen->w - left + 20), static_cast<Sint16>(top + height), 0, 0, 0,
            kHelpShade);
    drawText(screen, font, "Lumen Drift arena editor: keys and mouse (F1 or Escape closes)",
             static_cast<Sint16>(left), static_cast<Sint16>(top));
    int y = top + 2 * kTextRow;
    for (const HelpLine& line : lines) {
        drawText(screen, font, line.keys.c_str(), static_cast<Sint16>(left),
                 static_cast<Sint16>(y));
        drawText(screen, font, line.meaning.c_str(), static_cast<Sint16>(left + 30 * kGlyphAdvance),
                 static_cast<Sint16>(y));
        y += kTextRow;
    }
}

/// The question panel over the middle of the view: the question and its answers, nothing else
/// accepted until one is given.
void drawQuestion(SDL_Surface* screen, SDL_Surface* font, Question question) {
    const std::string text = questionText(question);
    const char* hint = "Return: save and quit";
    const int width = static_cast<int>(text.size() + 6) * kGlyphAdvance;
    const int height = 4 * kTextRow;
    const int left = (screen->w - width) / 2;
    const int top = (screen->h - kStatusHeight - height) / 2;
    fillBox(screen, left - 2, top - 2, width + 4, height + 4, kPanelEdge);
    fillBox(screen, left, top, width, height, kPanel);
    drawText(screen, font, text.c_str(), static_cast<Sint16>(left + 2 * kGlyphAdvance),
             static_cast<Sint16>(top + kTextRow));
    drawText(screen, font, hint, static_cast<Sint16>(left + 2 * kGlyphAdvance),
             static_cast<Sint16>(top + 2 * kTextRow + 4));
}

/// The coarse preview of a drag in the overview, drawn straight into the window: a Lattice with
/// every node position divided by the shrink maps each lattice point to its picture point divided
/// by the shrink (the splines are linear in the nodes), so no full-size picture is needed.
void drawReducedPreview(SDL_Surface* screen, const EditorState& state) {
    LatticeShape shape = captureShape(state.document.lattice(state.document.currentLevel()));
    const float shrink = static_cast<float>(state.view.shrink);
    for (float& coordinate : shape.nodes) {
        coordinate /= shrink;
    }
    SDL_FillRect(screen, nullptr, pixel(screen, kWarpBackground));
    drawLatticeCoarse(screen, *buildLattice(shape), 1, state.view.offsetX, state.view.offsetY);
}

}  // namespace

EditorView::EditorView(SDL_Surface* font, std::vector<HelpLine> help)
    : font_(font), help_(std::move(help)) {
    SDL_SetColorKey(font_, SDL_SRCCOLORKEY, SDL_MapRGB(font_->format, 255, 0, 255));
}

EditorView::~EditorView() {
    SDL_FreeSurface(overview_);
    SDL_FreeSurface(big_);
    SDL_FreeSurface(font_);
}

void EditorView::draw(SDL_Surface* screen, const EditorState& state) {
    const bool coarse = state.drag.kind == DragKind::Node || state.drag.kind == DragKind::Brush;
    SDL_SetClipRect(screen, nullptr);
    if (!coarse) {
        updateFolds(state);  // found again when a drag ends: the drag's steps stay quick
    }
    if (state.view.shrink > 1 && coarse && !state.referenceView) {
        drawReducedPreview(screen, state);
    } else if (state.view.shrink > 1) {
        drawOverview(screen, state, coarse);
    } else {
        drawLevel(screen, state, coarse);
    }
    if (state.referenceView) {
        drawRimHandles(screen, state);
    } else {
        if (!coarse) {
            drawFolds(screen, state);
        }
        drawNodeHandles(screen, state);
        drawBrushRing(screen, state);
    }
    drawStatus(screen, font_, state, foldCount_);
    if (state.helpShown) {
        drawHelp(screen, font_, help_);
    }
    if (state.question != Question::None) {
        drawQuestion(screen, font_, state.question);
    }
}

void EditorView::updateFolds(const EditorState& state) {
    const std::string key = std::to_string(state.document.revision()) + " " +
                            std::to_string(state.document.currentLevel());
    if (key == foldKey_) {
        return;
    }
    const Lattice& lattice = state.document.lattice(state.document.currentLevel());
    const size_t cells =
        static_cast<size_t>(lattice.columns - 1) * static_cast<size_t>(lattice.rows - 1);
    auto flags = std::make_unique<bool[]>(cells);
    foldCount_ = countFoldedCells(lattice, flags.get());
    folds_.assign(flags.get(), flags.get() + cells);
    foldKey_ = key;
}

/// Each folded cell tinted red through its outline on the warped surface.
void EditorView::drawFolds(SDL_Surface* screen, const EditorState& state) const {
    if (foldCount_ == 0) {
        return;
    }
    const Lattice& lattice = state.document.lattice(state.document.currentLevel());
    const int cellsV = static_cast<int>(lattice.rows) - 1;
    constexpr int n = 4 * kFoldOutlineSteps;
    for (size_t cell = 0; cell < folds_.size(); ++cell) {
        if (!folds_[cell]) {
            continue;
        }
        const float i = static_cast<float>(static_cast<int>(cell) / cellsV);
        const float j = static_cast<float>(static_cast<int>(cell) % cellsV);
        Sint16 xs[n], ys[n];
        for (int k = 0; k < n; ++k) {
            // Along the top, down the right, back along the bottom and up the left side.
            const int side = k / kFoldOutlineSteps;
            const float f = static_cast<float>(k % kFoldOutlineSteps) / kFoldOutlineSteps;
            const float du = side == 0 ? f : (side == 1 ? 1 : (side == 2 ? 1 - f : 0));
            const float dv = side == 0 ? 0 : (side == 1 ? f : (side == 2 ? 1 : 1 - f));
            float x = 0, y = 0;
            lattice.mapPoint(i + du, j + dv, x, y, false, false);
            // Far outside the window at a high zoom: held within SDL_gfx's 16-bit coordinates.
            xs[k] = static_cast<Sint16>(std::clamp(windowX(state.view, x), -16000, 16000));
            ys[k] = static_cast<Sint16>(std::clamp(windowY(state.view, y), -16000, 16000));
        }
        filledPolygonRGBA(screen, xs, ys, n, kFoldTint.r, kFoldTint.g, kFoldTint.b, kFoldOpacity);
    }
}

void EditorView::drawLevel(SDL_Surface* target, const EditorState& state, bool coarse) {
    const Lattice& lattice = state.document.lattice(state.document.currentLevel());
    const ViewTransform& view = state.view;
    // The big views pass the target's own scale: the overview draws at scale 1 into a larger
    // surface with offsets multiplied by its shrink.
    const int scale = view.shrink > 1 ? 1 : view.scale;
    const int offsetX = view.shrink > 1 ? view.offsetX * view.shrink : view.offsetX;
    const int offsetY = view.shrink > 1 ? view.offsetY * view.shrink : view.offsetY;
    if (state.referenceView) {
        SDL_FillRect(target, nullptr, pixel(target, kReferenceBackground));
        drawLatticeReference(target, lattice, scale, offsetX, offsetY);
        return;
    }
    SDL_FillRect(target, nullptr, pixel(target, kWarpBackground));
    if (coarse) {
        drawLatticeCoarse(target, lattice, scale, offsetX, offsetY);
    } else {
        drawLattice(target, lattice, scale, offsetX, offsetY);
    }
}

void EditorView::drawOverview(SDL_Surface* screen, const EditorState& state, bool coarse) {
    const ViewTransform& view = state.view;
    char key[160];
    std::snprintf(key, sizeof key, "%u %d %d %d %d %d %d %d", state.document.revision(),
                  state.document.currentLevel(), view.shrink, view.offsetX, view.offsetY,
                  state.referenceView ? 1 : 0, coarse ? 1 : 0, screen->w);
    if (overview_ == nullptr || overviewKey_ != key) {
        const int f = view.shrink;
        const int width = screen->w * f;
        const int height = (screen->h - kStatusHeight) * f;
        // The full-size picture is kept between redraws (a new one of this size each time costs
        // more in fresh memory than the drawing itself), with one byte a pixel: the lines take
        // only the handful of colours in its palette.
        if (big_ == nullptr || big_->w != width || big_->h != height) {
            SDL_FreeSurface(big_);
            big_ = SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 8, 0, 0, 0, 0);
            if (big_ != nullptr) {
                SDL_SetColors(big_, const_cast<SDL_Color*>(kOverviewPalette), 0,
                              sizeof kOverviewPalette / sizeof kOverviewPalette[0]);
            }
        }
        if (big_ == nullptr) {
            SDL_FillRect(screen, nullptr, pixel(screen, kWarpBackground));
            return;
        }
        drawLevel(big_, state, coarse);
        SDL_FreeSurface(overview_);
        // Each f × f block becomes one pixel, its mean colour.
        const Colour background = state.referenceView ? kReferenceBackground : kWarpBackground;
        overview_ = reducePicture(big_, f, static_cast<Uint8>(pixel(big_, background)));
        overviewKey_ = key;
    }
    if (overview_ != nullptr) {
        SDL_BlitSurface(overview_, nullptr, screen, nullptr);
    }
}

void statusText(const EditorState& state, int folded, std::string& first, std::string& second) {
    const EditorDocument& document = state.document;
    const Lattice& lattice = document.lattice(document.currentLevel());
    const ViewTransform& view = state.view;
    char scale[16];
    scaleName(view, scale, sizeof scale);
    char cursor[96] = "cursor -";
    if (state.cursorX >= 0 && state.cursorY < view.height) {
        const float px = pictureX(view, state.cursorX);
        const float py = pictureY(view, state.cursorY);
        float u = px / kReferenceCell, v = py / kReferenceCell;
        const bool found = state.referenceView || latticePointAt(lattice, px, py, u, v);
        if (found) {
            std::snprintf(cursor, sizeof cursor, "u %.2f v %.2f  px %d,%d", static_cast<double>(u),
                          static_cast<double>(v), static_cast<int>(px), static_cast<int>(py));
        } else {
            std::snprintf(cursor, sizeof cursor, "u - v -  px %d,%d", static_cast<int>(px),
                          static_cast<int>(py));
        }
    }
    char under[48] = "node -";
    if (state.referenceView) {
        const int k = state.drag.kind == DragKind::Rim ? state.drag.rimPoint : state.hoverRim;
        if (k >= 0) {
            std::snprintf(under, sizeof under, "rim point %d", k);
        } else {
            std::snprintf(under, sizeof under, "rim point -");
        }
    } else {
        const NodeRef node = state.drag.kind == DragKind::Node ? state.drag.node : state.hoverNode;
        if (node.valid()) {
            std::snprintf(under, sizeof under, "node %d,%d", node.i, node.j);
        }
    }
    char line[320];
    std::snprintf(
        line, sizeof line, "level %d/%d %dx%d %s | %s | %s | tool %s r %.0f s %.2f%s | scale %s %s",
        document.currentLevel() + 1, document.levelCount(), static_cast<int>(lattice.columns),
        static_cast<int>(lattice.rows), state.referenceView ? "reference" : "warp", cursor, under,
        state.referenceView ? "rim" : toolName(state.tool), static_cast<double>(state.brush.radius),
        static_cast<double>(state.brush.strength), state.brush.reversed ? " ccw" : "", scale,
        document.unsaved() ? "*unsaved" : "");
    first = line;
    if (folded > 0) {
        first += " | " + std::to_string(folded) + (folded == 1 ? " folded cell" : " folded cells");
    }
    const Prompt& prompt = state.prompt;
    if (prompt.active) {
        const bool size = prompt.kind == PromptKind::LevelSize;
        second = (size ? "new level size (columns x rows): " : "save as: ") +
                 (prompt.selected ? "[" + prompt.text + "]" : prompt.text + "_") +
                 (prompt.problem.empty() ? "" : "  " + prompt.problem + ";") +
                 (size ? "  Enter adds, Escape cancels" : "  Enter saves, Escape cancels");
    } else {
        second = state.message + (state.helpShown ? "" : "   (F1: help)");
    }
}
