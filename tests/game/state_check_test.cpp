#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

#include "game/state_check.h"

namespace {

/// A state with a level set of one default Lattice, everything finite.
std::unique_ptr<GameState> finiteState() {
    auto state = std::make_unique<GameState>();
    resetShips(*state);
    state->levels = std::make_unique<LevelSet>();
    state->levels->appendLattice(12, 12);
    state->currentLattice = state->levels->lattices[0].get();
    return state;
}

TEST(StateCheck, NamesTheFirstValueThatIsNotFinite) {
    auto state = finiteState();
    EXPECT_EQ(findNonFinite(*state), "");

    state->shots.shots[17].vx = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(findNonFinite(*state), "");  // a retired slot does not count
    state->shots.live[17] = 1;
    EXPECT_EQ(findNonFinite(*state), "shot 17 vx = nan");

    state->enemies[3].heading = std::numeric_limits<float>::infinity();
    EXPECT_EQ(findNonFinite(*state), "enemy 3 heading = inf");

    auto bent = finiteState();
    bent->levels->lattices[0]->setNodePosition(4, 5, NAN, 0.0f);
    EXPECT_EQ(findNonFinite(*bent), "level 0 node (4, 5)");

    auto seen = finiteState();
    seen->enemyPicturePos[2].y = -INFINITY;
    EXPECT_EQ(findNonFinite(*seen), "enemy 2's picture position");
}

}  // namespace
