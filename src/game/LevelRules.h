#pragma once
// How a level's targets follow from its number: less time and a faster ride as
// the levels go up.

// Seconds allowed: ten minutes at level 1, one minute less per level, never
// below one minute.
int levelTimeLimit(int level);

// The player's travel speed along the route: 10 at level 1, +5 per level, at most 50.
float levelSpeed(int level);

// Kills that win a random-challenge level.
int randomChallengeKills(int level);
