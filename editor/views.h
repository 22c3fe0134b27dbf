#pragma once
// Views: draw the editor's state into the window and never change it. The level picture (warp,
// coarse while dragging, reference, or the overview reduced from a scale-1 picture), the handles,
// the brush, the status line and the help overlay.

#include <SDL.h>

#include <string>
#include <vector>

#include "editor/editor_state.h"
#include "shared/data_contract.h"

/// The editor's window: the drawing area above a status line of two text rows.
constexpr int kWindowWidth = 960;
constexpr int kWindowHeight = 720;
constexpr int kStatusHeight = 36;

/// The font strip the status line and help are written with, in the data folder.
constexpr const char* kFontPath = kEditorFontFile;

class EditorView {
  public:
    /// Takes ownership of the font strip (its magenta is made transparent); the help overlay
    /// shows `help`.
    EditorView(SDL_Surface* font, std::vector<HelpLine> help);
    ~EditorView();
    EditorView(const EditorView&) = delete;
    EditorView& operator=(const EditorView&) = delete;

    /// Draws the whole window for the state (does not flip).
    void draw(SDL_Surface* screen, const EditorState& state);

    /// Cells of the current level that are folded (see countFoldedCells), as last drawn.
    int foldedCells() const { return foldCount_; }

  private:
    void updateFolds(const EditorState& state);
    void drawFolds(SDL_Surface* screen, const EditorState& state) const;
    void drawLevel(SDL_Surface* screen, const EditorState& state, bool coarse);
    void drawOverview(SDL_Surface* screen, const EditorState& state, bool coarse);

    SDL_Surface* font_;
    std::vector<HelpLine> help_;
    SDL_Surface* big_ = nullptr;       ///< the overview's scale-1 picture before reduction
    SDL_Surface* overview_ = nullptr;  ///< the reduced picture of the last overview frame
    std::string overviewKey_;          ///< what overview_ shows, to redraw only on change
    std::vector<bool> folds_;          ///< per cell of the current level: folded
    int foldCount_ = 0;
    std::string foldKey_;  ///< the revision and level folds_ was found for
};

/// The two text rows of the status line for the state, whose current level has `folded` folded
/// cells.
void statusText(const EditorState& state, int folded, std::string& first, std::string& second);
