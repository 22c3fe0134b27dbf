#include <cassert>

#include "lattice/lattice.h"

void LevelSet::reserve(int32_t n) {
    assert(n >= 0);
    count = n;
    lattices = std::make_unique<std::unique_ptr<Lattice>[]>(static_cast<size_t>(n));
}

void LevelSet::appendLattice(int nc, int nr) {
    auto grown = std::make_unique<std::unique_ptr<Lattice>[]>(static_cast<size_t>(count) + 1);
    for (int32_t l = 0; l < count; ++l) {
        grown[l] = std::move(lattices[l]);
    }
    grown[count] = std::make_unique<Lattice>(nc, nr);
    lattices = std::move(grown);
    ++count;
}
