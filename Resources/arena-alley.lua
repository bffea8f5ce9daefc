-- Arena: the back alley. A match against the clock: three knives are always in play, each one
-- down sends in another; the restart button brings a fresh match.

setUpArena("stage-alley", "stage-alley-steam.plist", 0.15, 3, "knife.plist")
