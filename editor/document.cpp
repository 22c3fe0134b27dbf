#include "editor/document.h"

#include <sys/stat.h>

#include <cassert>
#include <cerrno>
#include <utility>

#include "editor/user_files.h"

namespace {

/// Puts lattice into slot `index` of the set, moving the later ones up.
void insertLattice(LevelSet& set, int index, std::unique_ptr<Lattice> lattice) {
    auto grown = std::make_unique<std::unique_ptr<Lattice>[]>(static_cast<size_t>(set.count) + 1);
    for (int l = 0, from = 0; l <= set.count; ++l) {
        grown[l] = l == index ? std::move(lattice) : std::move(set.lattices[from++]);
    }
    set.lattices = std::move(grown);
    ++set.count;
}

void removeLattice(LevelSet& set, int index) {
    auto shrunk = std::make_unique<std::unique_ptr<Lattice>[]>(static_cast<size_t>(set.count) - 1);
    for (int l = 0, to = 0; l < set.count; ++l) {
        if (l != index) {
            shrunk[to++] = std::move(set.lattices[l]);
        }
    }
    set.lattices = std::move(shrunk);
    --set.count;
}

void moveLattice(LevelSet& set, int from, int to) {
    auto lattice = std::move(set.lattices[from]);
    removeLattice(set, from);
    insertLattice(set, to, std::move(lattice));
}

/// The nodes and rim points where the level differs from `after`, in index order, the level's
/// values as `before`.
void changesTo(const Lattice& lattice, const LatticeShape& after, std::vector<PointChange>& nodes,
               std::vector<PointChange>& rim) {
    assert(static_cast<int>(lattice.columns) == after.columns &&
           static_cast<int>(lattice.rows) == after.rows);
    for (int i = 0; i < after.columns; ++i) {
        for (int j = 0; j < after.rows; ++j) {
            const LatticeNode& node = lattice.node(i, j);
            const int n = after.nodeIndex(i, j);
            if (node.x != after.nodes[n] || node.y != after.nodes[n + 1]) {
                nodes.push_back({n / 2, {node.x, node.y}, {after.nodes[n], after.nodes[n + 1]}});
            }
        }
    }
    for (int k = 0; k < after.rimCount(); ++k) {
        float u = 0, v = 0;
        lattice.rimPoint(static_cast<float>(k), u, v);
        if (u != after.rim[2 * k] || v != after.rim[2 * k + 1]) {
            rim.push_back({k, {u, v}, {after.rim[2 * k], after.rim[2 * k + 1]}});
        }
    }
    nodes.shrink_to_fit();
    rim.shrink_to_fit();
}

/// Folds `later`, made right after `earlier`, into `earlier`: one list in index order of what the
/// two moved together, leaving out points that came back to where they started.
void mergeChanges(std::vector<PointChange>& earlier, const std::vector<PointChange>& later) {
    std::vector<PointChange> merged;
    merged.reserve(earlier.size() + later.size());
    auto e = earlier.begin();
    auto l = later.begin();
    while (e != earlier.end() || l != later.end()) {
        PointChange change;
        if (l == later.end() || (e != earlier.end() && e->index < l->index)) {
            change = *e++;
        } else if (e == earlier.end() || l->index < e->index) {
            change = *l++;
        } else {
            change = *e++;
            change.after[0] = l->after[0];
            change.after[1] = l->after[1];
            ++l;
        }
        if (change.before[0] != change.after[0] || change.before[1] != change.after[1]) {
            merged.push_back(change);
        }
    }
    merged.shrink_to_fit();
    earlier = std::move(merged);
}

/// Puts the moved nodes and rim points at their `after` (forward) or `before` values. Refits as
/// applyShape does: one node with setNodeAndRefit, several with one refitAll, and each rim point
/// with setRimPoint in index order.
void applyChanges(Lattice& lattice, const UndoStep& step, bool forward) {
    const int rows = static_cast<int>(lattice.rows);
    for (const PointChange& change : step.nodes) {
        const float* p = forward ? change.after : change.before;
        if (step.nodes.size() == 1) {
            // One node feeds at most five segments of its row: no need to refit the whole sheet.
            lattice.setNodeAndRefit(change.index / rows, change.index % rows, p[0], p[1]);
        } else {
            lattice.setNodePosition(change.index / rows, change.index % rows, p[0], p[1]);
        }
    }
    if (step.nodes.size() > 1) {
        lattice.refitAll();
    }
    for (const PointChange& change : step.rim) {
        const float* p = forward ? change.after : change.before;
        lattice.setRimPoint(change.index, p[0], p[1]);
    }
}

bool sizeAllowed(const LatticeShape& shape) {
    return shape.columns >= kMinimumSize && shape.columns <= kMaximumSize &&
           shape.rows >= kMinimumSize && shape.rows <= kMaximumSize;
}

}  // namespace

EditorDocument::EditorDocument(std::unique_ptr<LevelSet> levels, std::string path)
    : levels_(std::move(levels)), path_(std::move(path)) {
    assert(levels_ && levels_->count >= 1);
}

void EditorDocument::selectLevel(int level) {
    current_ = level < 0 ? 0 : (level >= levels_->count ? levels_->count - 1 : level);
}

std::string EditorDocument::perform(EditCommand command) {
    const int count = levels_->count;
    switch (command.kind) {
        case EditKind::Shape: {
            if (command.level < 0 || command.level >= count) {
                return "there is no level " + std::to_string(command.level + 1);
            }
            const std::string problem = shapeProblem(command.after, &command.before);
            if (!problem.empty()) {
                return problem;
            }
            break;
        }
        case EditKind::InsertLevel:
            if (!sizeAllowed(command.after)) {
                return "a level must have " + std::to_string(kMinimumSize) + " to " +
                       std::to_string(kMaximumSize) + " columns and rows";
            }
            if (!shapeProblem(command.after).empty()) {
                return shapeProblem(command.after);
            }
            command.level = command.level < 0 ? 0 : (command.level > count ? count : command.level);
            break;
        case EditKind::RemoveLevel:
            if (count <= 1) {
                return "the only level cannot be deleted: the game needs at least one";
            }
            command.before = captureShape(*levels_->lattices[command.level]);
            break;
        case EditKind::MoveLevel:
            if (command.target < 0 || command.target >= count || command.target == command.level) {
                return command.target < 0 ? "the level is already the first"
                                          : "the level is already the last";
            }
            break;
    }

    UndoStep step;
    step.kind = command.kind;
    step.level = command.level;
    step.target = command.target;
    step.stroke = command.stroke;
    step.label = std::move(command.label);
    if (command.kind == EditKind::Shape) {
        changesTo(*levels_->lattices[command.level], command.after, step.nodes, step.rim);
    } else if (command.kind == EditKind::InsertLevel) {
        step.whole = std::move(command.after);
    } else if (command.kind == EditKind::RemoveLevel) {
        step.whole = std::move(command.before);
    }
    const bool nothingToRedo = done_ == steps_.size();
    apply(step, true);
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(done_), steps_.end());

    UndoStep* top = done_ == 0 ? nullptr : &steps_[done_ - 1];
    if (step.stroke != 0 && nothingToRedo && top != nullptr && top->stroke == step.stroke &&
        top->kind == EditKind::Shape && step.kind == EditKind::Shape && top->level == step.level) {
        mergeChanges(top->nodes, step.nodes);
        mergeChanges(top->rim, step.rim);
        return "";
    }
    step.id = nextId_++;
    steps_.push_back(std::move(step));
    ++done_;
    if (done_ > kUndoLimit) {
        baseId_ = steps_.front().id;  // the oldest state undo still reaches
        steps_.pop_front();
        --done_;
    }
    return "";
}

bool EditorDocument::undo(std::string* label) {
    if (done_ == 0) {
        return false;
    }
    --done_;
    apply(steps_[done_], false);
    if (label != nullptr) {
        *label = steps_[done_].label;
    }
    return true;
}

bool EditorDocument::redo(std::string* label) {
    if (done_ == steps_.size()) {
        return false;
    }
    apply(steps_[done_], true);
    if (label != nullptr) {
        *label = steps_[done_].label;
    }
    ++done_;
    return true;
}

void EditorDocument::apply(const UndoStep& step, bool forward) {
    LevelSet& set = *levels_;
    switch (step.kind) {
        case EditKind::Shape:
            applyChanges(*set.lattices[step.level], step, forward);
            current_ = step.level;
            break;
        case EditKind::InsertLevel:
        case EditKind::RemoveLevel:
            if ((step.kind == EditKind::InsertLevel) == forward) {
                insertLattice(set, step.level, buildLattice(step.whole));
                current_ = step.level;
            } else {
                removeLattice(set, step.level);
                current_ = step.level < set.count ? step.level : set.count - 1;
            }
            break;
        case EditKind::MoveLevel:
            moveLattice(set, forward ? step.level : step.target,
                        forward ? step.target : step.level);
            current_ = forward ? step.target : step.level;
            break;
    }
    ++revision_;
}

std::string EditorDocument::save() {
    const std::string problem = saveLevelsInto(*levels_, path_);
    if (problem.empty()) {
        savedId_ = topId();
    }
    return problem;
}

std::string EditorDocument::saveAs(const std::string& path) {
    const std::string problem = saveLevelsInto(*levels_, path);
    if (problem.empty()) {
        path_ = path;
        savedId_ = topId();
    }
    return problem;
}

std::unique_ptr<LevelSet> loadOrCreate(const std::string& path, bool* created,
                                       std::string* reason) {
    *created = false;
    struct stat info;
    if (stat(path.c_str(), &info) != 0 && errno == ENOENT) {
        auto set = std::make_unique<LevelSet>();
        set->appendLattice(kDefaultColumns, kDefaultRows);
        *created = true;
        return set;
    }
    std::unique_ptr<LevelSet> set;
    if (readLevelFile(set, path.c_str(), reason) != 0) {
        return nullptr;
    }
    if (set->count < 1) {
        *reason = path + ": holds no level";
        return nullptr;
    }
    return set;
}
