-- Arena: the freight yard, a container terminal of its own. A match against the clock: three
-- heavies are always in play, each one down sends in another; the restart button brings a fresh
-- match.

setUpArena("stage-freight", "stage-freight-lamp.plist", 0.25, 3, "heavy.plist")
