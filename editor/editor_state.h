#pragma once
// Everything the editor knows between two events: the document, the view, the tool and what the
// mouse is doing. Tools change it in response to events; views only read it. No SDL.

#include <string>

#include "editor/brushes.h"
#include "editor/document.h"
#include "editor/picking.h"
#include "editor/view_transform.h"

/// The tool the left button uses in the warp view. (In the reference view it drags rim points.)
enum class ToolKind { Node, Push, Bulge, Pinch, Twist, Smooth };

/// What a held mouse button is doing.
enum class DragKind { None, Node, Rim, Brush, Pan };

struct DragState {
    DragKind kind = DragKind::None;
    int pressX = 0;  ///< window position where the button went down
    int pressY = 0;
    int lastX = 0;  ///< window position of the last step
    int lastY = 0;
    NodeRef node;       ///< Node: the node dragged
    int rimPoint = -1;  ///< Rim: the rim point dragged
    float startX = 0;   ///< Node: its picture position at the press; Rim: its lattice point
    float startY = 0;
    LatticeShape start;      ///< the level's shape at the press: `before` of the stroke's command
    LatticeShape working;    ///< Brush: the shape as the stroke has made it so far
    int stroke = 0;          ///< the undo step this drag's commands merge into
    bool committed = false;  ///< whether the drag has changed the level yet
};

/// What the one-line text entry asks for.
enum class PromptKind { LevelSize, SavePath };

/// The one-line text entry: the size of a new level ("26x20") or the file to save as. It opens
/// with its default selected, so the first key typed replaces it.
struct Prompt {
    bool active = false;
    PromptKind kind = PromptKind::LevelSize;
    std::string text;
    bool selected = false;  ///< the text is the default, replaced by the first key typed
    std::string problem;    ///< why the last Enter was refused; the entry stays open
};

/// A question the editor waits on, in a panel over the view, before it does something that would
/// drop unsaved edits. Only its answer closes it.
enum class Question { None, Quit };

struct EditorState {
    explicit EditorState(EditorDocument doc) : document(std::move(doc)) {}

    EditorDocument document;
    ViewTransform view;
    bool referenceView = false;  ///< the undeformed grid, where rim points are edited
    ToolKind tool = ToolKind::Node;
    Brush brush;
    int cursorX = -1;  ///< window position of the mouse
    int cursorY = -1;
    NodeRef hoverNode;
    int hoverRim = -1;
    NodeRef selectedNode;
    DragState drag;
    Prompt prompt;
    bool helpShown = false;
    Question question = Question::None;
    bool quit = false;
    bool scripted = false;  ///< input comes from a script: no play-test
    /// The Lattice the view was last fitted to: another one (a level switch, a deleted or added
    /// level) gets its own fit and no selection.
    const Lattice* shownLattice = nullptr;
    int nextStroke = 1;
    std::string message;  ///< the last thing the editor has to say, shown in the status line
};

/// One line of the help overlay: the keys or mouse action, and what it does.
struct HelpLine {
    std::string keys;
    std::string meaning;
};

/// Name of a tool as the status line shows it.
const char* toolName(ToolKind tool);
/// What the panel of a question says: the question and its answers.
const char* questionText(Question question);
