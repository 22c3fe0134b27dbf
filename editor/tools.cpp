#include "editor/tools.h"

#include <cmath>

#include "editor/actions.h"

namespace {

/// The picture distance that `windowPixels` window pixels stand for, exactly.
float pictureDistance(const ViewTransform& view, int windowPixels) {
    return view.shrink > 1 ? static_cast<float>(windowPixels * view.shrink)
                           : static_cast<float>(windowPixels) / static_cast<float>(view.scale);
}

const char* brushLabel(BrushKind kind) {
    static constexpr const char* kLabels[] = {"push/pull", "bulge", "pinch", "twist", "smooth"};
    return kLabels[static_cast<int>(kind)];
}

/// Sends the drag's current shape to the document as one step of its stroke.
bool commitStroke(EditorState& state, LatticeShape after, const char* label) {
    if (!state.drag.committed && after == state.drag.start) {
        return true;  // a click without a move is no edit
    }
    EditCommand command;
    command.level = state.document.currentLevel();
    command.before = state.drag.start;
    command.after = std::move(after);
    command.stroke = state.drag.stroke;
    command.label = label;
    const std::string problem = state.document.perform(std::move(command));
    if (!problem.empty()) {
        state.message = "refused: " + problem;
        return false;
    }
    state.drag.committed = true;
    return true;
}

void updateHover(EditorState& state) {
    const Lattice& lattice = state.document.lattice(state.document.currentLevel());
    state.hoverNode = NodeRef{};
    state.hoverRim = -1;
    if (state.referenceView) {
        state.hoverRim = pickRimPoint(lattice, state.view, state.cursorX, state.cursorY);
    } else {
        state.hoverNode = pickNode(lattice, state.view, state.cursorX, state.cursorY);
    }
}

void startDrag(EditorState& state, DragKind kind, int x, int y) {
    state.drag = DragState{};
    state.drag.kind = kind;
    state.drag.pressX = state.drag.lastX = x;
    state.drag.pressY = state.drag.lastY = y;
    state.drag.stroke = state.nextStroke++;
    if (kind != DragKind::Pan) {
        state.drag.start = captureShape(state.document.lattice(state.document.currentLevel()));
    }
}

void brushStep(EditorState& state, int x, int y) {
    DragState& drag = state.drag;
    const float dx = pictureDistance(state.view, x - drag.lastX);
    const float dy = pictureDistance(state.view, y - drag.lastY);
    LatticeShape next = drag.working;
    applyBrushStep(next, state.brush, pictureX(state.view, x), pictureY(state.view, y), dx, dy);
    if (commitStroke(state, next, brushLabel(state.brush.kind))) {
        drag.working = std::move(next);
    }
}

void leftPress(EditorState& state, int x, int y) {
    const Lattice& lattice = state.document.lattice(state.document.currentLevel());
    if (state.referenceView) {
        const int k = pickRimPoint(lattice, state.view, x, y);
        if (k < 0) {
            return;
        }
        startDrag(state, DragKind::Rim, x, y);
        state.drag.rimPoint = k;
        lattice.rimPoint(static_cast<float>(k), state.drag.startX, state.drag.startY);
        return;
    }
    if (state.tool == ToolKind::Node) {
        const NodeRef node = pickNode(lattice, state.view, x, y);
        state.selectedNode = node;
        if (!node.valid()) {
            return;
        }
        startDrag(state, DragKind::Node, x, y);
        state.drag.node = node;
        state.drag.startX = lattice.node(node.i, node.j).x;
        state.drag.startY = lattice.node(node.i, node.j).y;
        return;
    }
    startDrag(state, DragKind::Brush, x, y);
    state.drag.working = state.drag.start;
    brushStep(state, x, y);
}

/// Follows the mouse while a button is held: the node or rim point goes where the cursor has
/// moved it since the press, a brush takes one more step, a pan moves the view.
void dragTo(EditorState& state, int x, int y) {
    DragState& drag = state.drag;
    switch (drag.kind) {
        case DragKind::None:
            return;
        case DragKind::Pan:
            state.view.offsetX += x - drag.lastX;
            state.view.offsetY += y - drag.lastY;
            break;
        case DragKind::Node: {
            LatticeShape after = drag.start;
            const int n = after.nodeIndex(drag.node.i, drag.node.j);
            after.nodes[n] = drag.startX + pictureDistance(state.view, x - drag.pressX);
            after.nodes[n + 1] = drag.startY + pictureDistance(state.view, y - drag.pressY);
            commitStroke(state, std::move(after), "move node");
            break;
        }
        case DragKind::Rim: {
            LatticeShape after = drag.start;
            const float perCell = kReferenceCell;
            after.rim[2 * drag.rimPoint] =
                drag.startX + pictureDistance(state.view, x - drag.pressX) / perCell;
            after.rim[2 * drag.rimPoint + 1] =
                drag.startY + pictureDistance(state.view, y - drag.pressY) / perCell;
            commitStroke(state, std::move(after), "move rim point");
            break;
        }
        case DragKind::Brush:
            if (x != drag.lastX || y != drag.lastY) {
                brushStep(state, x, y);
            }
            break;
    }
    drag.lastX = x;
    drag.lastY = y;
}

void mouseButton(EditorState& state, const SDL_MouseButtonEvent& button) {
    state.cursorX = button.x;
    state.cursorY = button.y;
    if (button.type == SDL_MOUSEBUTTONDOWN) {
        if (button.button == SDL_BUTTON_WHEELUP || button.button == SDL_BUTTON_WHEELDOWN) {
            zoomAt(state.view, button.button == SDL_BUTTON_WHEELUP ? 1 : -1, button.x, button.y);
        } else if (state.drag.kind != DragKind::None) {
            return;  // one drag at a time
        } else if (button.button == SDL_BUTTON_LEFT) {
            leftPress(state, button.x, button.y);
        } else if (button.button == SDL_BUTTON_RIGHT || button.button == SDL_BUTTON_MIDDLE) {
            startDrag(state, DragKind::Pan, button.x, button.y);
        }
    } else if (state.drag.kind != DragKind::None) {
        const bool panButton =
            button.button == SDL_BUTTON_RIGHT || button.button == SDL_BUTTON_MIDDLE;
        if ((state.drag.kind == DragKind::Pan) == panButton) {
            dragTo(state, button.x, button.y);
            state.drag = DragState{};
        }
    }
}

void keyDown(EditorState& state, const SDL_keysym& key, const EditorServices& services) {
    if (state.question != Question::None) {
        answerQuestion(state, key);
        return;
    }
    if (state.prompt.active) {
        promptKey(state, key);
        return;
    }
    if (state.drag.kind != DragKind::None) {
        return;  // no level changes under a held button
    }
    runKeyAction(state, key, services);
}

}  // namespace

void handleEvent(EditorState& state, const SDL_Event& event, const EditorServices& services) {
    // While a question is open only its answer counts; the mouse changes nothing under the panel.
    const bool asking = state.question != Question::None;
    switch (asking && event.type != SDL_KEYDOWN ? Uint8{SDL_NOEVENT} : event.type) {
        case SDL_MOUSEMOTION:
            state.cursorX = event.motion.x;
            state.cursorY = event.motion.y;
            dragTo(state, event.motion.x, event.motion.y);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            mouseButton(state, event.button);
            break;
        case SDL_KEYDOWN:
            keyDown(state, event.key.keysym, services);
            break;
        case SDL_QUIT:
            requestClose(state);
            break;
        default:
            break;
    }
    if (&state.document.lattice(state.document.currentLevel()) != state.shownLattice) {
        state.selectedNode = NodeRef{};
        fitView(state);
    }
    // The view or the level may have changed under a still cursor.
    if (state.cursorX >= 0) {
        updateHover(state);
    }
}

void fitView(EditorState& state) {
    const int level = state.document.currentLevel();
    const Lattice& lattice = state.document.lattice(level);
    state.shownLattice = &lattice;
    if (state.referenceView) {
        // The rim may stand a little outside the grid: leave it a cell.
        fitBox(state.view, -kReferenceCell, -kReferenceCell, lattice.columns * kReferenceCell,
               lattice.rows * kReferenceCell);
        return;
    }
    float minX, minY, maxX, maxY;
    shapeBounds(captureShape(lattice), minX, minY, maxX, maxY);
    fitBox(state.view, minX, minY, maxX, maxY);
}
