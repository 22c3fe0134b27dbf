#pragma once
// Level sets as JSON, the form level designers edit:
// {"levels": [{"columns": C, "rows": R, "nodes": [[x, y], …], "rim": [[u, v], …]}, …]}
// with nodes column by column (i outer, j inner) in picture pixels as the game sees them, and the
// rim points in lattice units.

#include <string>

#include "lattice/lattice.h"

/// Writes the whole level set as JSON to path ("-" for standard output). False with *reason on
/// failure.
bool dumpLevelJson(const LevelSet& set, const std::string& path, std::string* reason);

/// Builds a level set from the JSON file at path. Null with *reason when the JSON is not a valid
/// level set.
std::unique_ptr<LevelSet> loadLevelJson(const std::string& path, std::string* reason);
