#pragma once
// Turning the human-readable level sources (levels/levels.json) into the level file.
//
// Each level names its grid size and a list of warps applied in order to the lattice point (i, j)
// of every node, in cell units; the picture position is 40 pixels per cell of the result. Warps:
//   {"kind": "waves",  "amplitude": [ax, ay], "wavelength": [lx, ly], "phase": [px, py]}
//       x += ax·sin(2π·(j/lx + px)), y += ay·sin(2π·(i/ly + py))
//   {"kind": "bulge",  "centre": [cx, cy], "radius": r, "strength": s}
//       pushes points away from the centre (s > 0) or draws them in (s < 0, a pinch):
//       d' = d·(1 + s·exp(−|d|²/r²))
//   {"kind": "vortex", "centre": [cx, cy], "radius": r, "twist": radians}
//       turns points about the centre by twist·exp(−|d|²/r²)
//   {"kind": "shear",  "row": j0, "width": w, "offset": o}
//       x += o·tanh((j − j0)/w): a fault line across the rows
//   {"kind": "ripple", "centre": [cx, cy], "wavelength": l, "amplitude": a, "radius": r}
//       concentric rings: d' = d + a·sin(2π·|d|/l)·exp(−|d|²/r²) along d
// A key left out takes its default: centre the middle of the grid, ((columns − 1)/2, (rows − 1)/2);
// waves amplitude [1, 1], wavelength [10, 10], phase [0, 0]; bulge radius 6, strength 0.5; vortex
// radius 6, twist 1; shear row the middle row, width 3, offset 2; ripple wavelength 6, amplitude
// 0.6, radius 12. A level without warps is flat. The rim stays the default rim along the lattice
// border.

#include <memory>
#include <string>

#include "lattice/lattice.h"
#include "shared/data_contract.h"

/// Builds the LevelSet described by the JSON text. False with *reason when the text is not a
/// valid level list (names the level and the problem).
bool buildLevelSet(const std::string& json, LevelSet& set, std::string* reason);

/// Reads the level sources at sourcePath and writes the level file to outPath.
bool writeLevels(const std::string& sourcePath, const std::string& outPath, std::string* reason);
