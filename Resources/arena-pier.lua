-- Arena: the fishing pier. A match against the clock: two dock foremen are always in play, each
-- one down sends in another; the restart button brings a fresh match.

setUpArena("stage-pier", "stage-pier-lantern.plist", 0.2, 2, "foreman.plist")
