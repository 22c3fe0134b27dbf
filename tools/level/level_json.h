#pragma once
// Level sets as JSON, the form level designers edit:
// {"levels": [{"columns": C, "rows": R, "nodes": [[x, y], …], "rim": [[u, v], …]}, …]}
// with nodes column by column (i outer, j inner) in picture pixels as the game sees them, and the
// rim points in lattice units.

#include <string>

#include "lattice/lattice.h"

/// The whole level set as JSON text.
std::string levelJson(const LevelSet& set);

/// Builds a level set from the JSON file at path. Null with *reason when the JSON is not a valid
/// level set.
std::unique_ptr<LevelSet> loadLevelJson(const std::string& path, std::string* reason);
