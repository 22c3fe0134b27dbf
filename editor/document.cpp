#include "editor/document.h"

#include <sys/stat.h>

#include <cassert>
#include <cerrno>
#include <utility>

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

    const bool merge = command.stroke != 0 && !undo_.empty() && redo_.empty() &&
                       undo_.back().stroke == command.stroke &&
                       undo_.back().kind == EditKind::Shape && command.kind == EditKind::Shape &&
                       undo_.back().level == command.level;
    apply(command, true);
    redo_.clear();
    redoIds_.clear();
    if (merge) {
        undo_.back().after = std::move(command.after);
        return "";
    }
    undo_.push_back(std::move(command));
    ids_.push_back(nextId_++);
    if (undo_.size() > kUndoLimit) {
        undo_.pop_front();
        baseId_ = ids_.front();  // the oldest state undo still reaches
        ids_.pop_front();
    }
    return "";
}

bool EditorDocument::undo(std::string* label) {
    if (undo_.empty()) {
        return false;
    }
    apply(undo_.back(), false);
    if (label != nullptr) {
        *label = undo_.back().label;
    }
    redo_.push_back(std::move(undo_.back()));
    redoIds_.push_back(ids_.back());
    undo_.pop_back();
    ids_.pop_back();
    return true;
}

bool EditorDocument::redo(std::string* label) {
    if (redo_.empty()) {
        return false;
    }
    apply(redo_.back(), true);
    if (label != nullptr) {
        *label = redo_.back().label;
    }
    undo_.push_back(std::move(redo_.back()));
    ids_.push_back(redoIds_.back());
    redo_.pop_back();
    redoIds_.pop_back();
    return true;
}

void EditorDocument::apply(const EditCommand& command, bool forward) {
    LevelSet& set = *levels_;
    switch (command.kind) {
        case EditKind::Shape:
            applyShape(*set.lattices[command.level], forward ? command.after : command.before);
            current_ = command.level;
            break;
        case EditKind::InsertLevel:
        case EditKind::RemoveLevel: {
            const bool inserting = (command.kind == EditKind::InsertLevel) == forward;
            if (inserting) {
                const LatticeShape& shape =
                    command.kind == EditKind::InsertLevel ? command.after : command.before;
                insertLattice(set, command.level, buildLattice(shape));
                current_ = command.level;
            } else {
                removeLattice(set, command.level);
                current_ = command.level < set.count ? command.level : set.count - 1;
            }
            break;
        }
        case EditKind::MoveLevel:
            moveLattice(set, forward ? command.level : command.target,
                        forward ? command.target : command.level);
            current_ = forward ? command.target : command.level;
            break;
    }
    ++revision_;
}

std::string EditorDocument::save() {
    std::string reason;
    if (writeLevelFile(*levels_, path_.c_str(), &reason) != 0) {
        return reason;
    }
    savedId_ = topId();
    return "";
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
