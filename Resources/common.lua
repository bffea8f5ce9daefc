-- Helpers shared by every level. The game runs this file first on each level load, in a fresh
-- script state, then the level's own script, then the level's init(restoring).
-- Level scripts never define the enemy entry points (begin_state, end_state, tick): those live
-- in the enemy scripts, each in its own state.

-- x kept within [lo, hi].
function clamp(x, lo, hi)
    if x < lo then
        return lo
    end
    if x > hi then
        return hi
    end
    return x
end

-- From a to b by t: timers started with a function hand it their progress, 0 to 1.
function lerp(a, b, t)
    return a + (b - a) * clamp(t, 0, 1)
end
