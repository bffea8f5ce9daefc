-- Arena: the container yard on the docks. A match against the clock: three street thugs are
-- always in play, each one down sends in another; the restart button brings a fresh match.

setUpArena("stage-docks", "stage-docks-lantern.plist", 0.2, 3)

-- The docks' pier trigger means nothing in the arena.
function onPierReached(trigger, amount)
    return true
end
