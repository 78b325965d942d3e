#pragma once
// A check the model import makes on every material library (.mtl) before the
// import library reads it. Assimp 5.2 writes through a null material, and so
// ends the process, when a texture statement ("map_Kd", "map_d", ...) comes
// before the file's first "newmtl"; such a file is treated as unreadable.
#include <string_view>

// False when the bytes "map_" (in any case) occur before the first line that
// starts with "newmtl". Lines end at '\n', '\r', '\f' or a zero byte, as the
// import library ends them; a "newmtl" after blanks does not count, because
// the library does not take it for one either. Comments are not exempt: the
// library's reading of them is no safer to rely on.
bool materialLibraryIsSafe(std::string_view text);
