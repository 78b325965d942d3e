#pragma once
// The resident memory of this process, as the kernel counts it: what a player
// sees grow in a system monitor when something piles up from level to level.

// VmRSS from /proc/self/status in megabytes (2^20 bytes); 0 when unreadable.
double residentMegabytes();
