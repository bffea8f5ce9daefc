-- Arena: the rooftop. A match against the clock: three street thugs are always in play,
-- each one down sends in another; the restart button brings a fresh match.

setUpArena("stage-arena", "stage-arena-fan.plist", 0.08, 3)
