#pragma once
// The document the editor works on: the level set, the level being edited, the file it came
// from, and the one undo stack. Every change to the levels is an EditCommand performed here, so
// every change can be undone and redone. No SDL.

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "editor/shape.h"
#include "lattice/lattice.h"

/// What an EditCommand does.
enum class EditKind {
    Shape,        ///< level `level` goes from `before` to `after` (a drag, a stroke, a reset)
    InsertLevel,  ///< a level of shape `after` is inserted at index `level`
    RemoveLevel,  ///< the level at index `level` (of shape `before`) is removed
    MoveLevel,    ///< the level at index `level` moves to index `target`
};

/// One undoable edit as the tools ask for it: whole shapes, of which the history keeps only what
/// changed.
struct EditCommand {
    EditKind kind = EditKind::Shape;
    int level = 0;
    int target = 0;
    LatticeShape before;
    LatticeShape after;
    /// Commands of one drag or brush stroke share a nonzero id; the stack keeps them as one step.
    int stroke = 0;
    std::string label;  ///< what the step is called in messages ("move node", "twist", …)
};

/// One node or rim point that a step moved: entry `index` (node (i, j) at i·rows + j, rim point
/// k at k) went from `before` to `after` (picture pixels for nodes, lattice units for the rim).
struct PointChange {
    int index;
    float before[2];
    float after[2];
};

/// One step of the undo history, holding only what it needs to undo and redo itself.
struct UndoStep {
    EditKind kind = EditKind::Shape;
    int level = 0;
    int target = 0;                  ///< MoveLevel: where the level went
    std::vector<PointChange> nodes;  ///< Shape: the nodes it moved, by index
    std::vector<PointChange> rim;    ///< Shape: the rim points it moved, by index
    LatticeShape whole;  ///< InsertLevel: the level inserted; RemoveLevel: the level removed
    int stroke = 0;
    std::string label;
    unsigned id = 0;  ///< tells saved states apart
};

/// Steps of undo the stack keeps; older steps are forgotten.
constexpr size_t kUndoLimit = 500;
/// Smallest and largest grid the editor adds: the game needs 3, and 200 is far beyond any arena.
constexpr int kMinimumSize = 3;
constexpr int kMaximumSize = 200;
/// Size of a new level unless the designer asks for another.
constexpr int kDefaultColumns = 26;
constexpr int kDefaultRows = 20;

class EditorDocument {
  public:
    /// A document over levels (at least one) that saves to path.
    EditorDocument(std::unique_ptr<LevelSet> levels, std::string path);

    const LevelSet& levels() const { return *levels_; }
    int levelCount() const { return levels_->count; }
    const Lattice& lattice(int level) const { return *levels_->lattices[level]; }
    /// The level shown and edited; always a valid index.
    int currentLevel() const { return current_; }
    /// Shows level l (clamped to the set). Not an edit: nothing goes on the undo stack.
    void selectLevel(int level);

    /// Applies the command and puts it on the undo stack, merged with the step on top when both
    /// belong to the same stroke. Returns "" or, when the edit is refused, the reason; a refused
    /// edit changes nothing.
    std::string perform(EditCommand command);
    /// Undoes the last step; false when there is none. *label names the step undone.
    bool undo(std::string* label = nullptr);
    /// Redoes the last undone step; false when there is none.
    bool redo(std::string* label = nullptr);
    size_t undoDepth() const { return done_; }
    size_t redoDepth() const { return steps_.size() - done_; }

    /// Writes the set into the document's file, keeping the file what it was (see saveLevelsInto).
    /// Returns "" or the reason; a failed write leaves the old file as it was.
    std::string save();
    /// Writes the set to another file, which becomes the document's file. Returns "" or the
    /// reason; on failure the document keeps its file.
    std::string saveAs(const std::string& path);
    /// Whether the levels differ from what was last saved (or loaded).
    bool unsaved() const { return topId() != savedId_; }
    /// Marks the levels as never saved (a new set whose file does not exist yet).
    void markUnsaved() { savedId_ = ~0u; }
    const std::string& path() const { return path_; }
    /// Grows by one with every change of the levels, for views that cache pictures.
    unsigned revision() const { return revision_; }

  private:
    void apply(const UndoStep& step, bool forward);
    unsigned topId() const { return done_ == 0 ? baseId_ : steps_[done_ - 1].id; }

    std::unique_ptr<LevelSet> levels_;
    std::string path_;
    int current_ = 0;
    /// The history, oldest first: steps before done_ can be undone, the rest redone.
    std::deque<UndoStep> steps_;
    size_t done_ = 0;
    unsigned nextId_ = 1;
    unsigned baseId_ = 0;  ///< id of the state below the oldest undo step (0: as loaded)
    unsigned savedId_ = 0;
    unsigned revision_ = 0;
};

/// Loads the level file at path. A file that does not exist gives a new set of one default
/// 26 × 20 level and *created = true; a file that cannot be read gives null and the reason.
std::unique_ptr<LevelSet> loadOrCreate(const std::string& path, bool* created, std::string* reason);
