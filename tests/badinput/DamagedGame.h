#pragma once
// The table of bad inputs: damaged game directories and the outcome each must
// have when the real binary starts in it. The table is a data file
// (tests/badinput/table.txt); this reads it and builds the directories.
#include <string>
#include <vector>

// One way of damaging a game directory, as a table row writes it. Paths are
// relative to the game directory, with the names the files have on disk.
//   delete PATH              the file or folder is gone
//   empty PATH               the file holds nothing
//   truncate PATH BYTES      only its first BYTES bytes are left
//   random PATH BYTES        BYTES random bytes instead
//   garble PATH OFFSET       random bytes from OFFSET to the end, same length
//   write PATH TEXT          TEXT instead ("\n" is a line end)
//   hex PATH HEXBYTES        the bytes written in hexadecimal
//   folder PATH              an empty folder where the file was
//   crlf PATH                every line end becomes CR LF
//   config KEY VALUE         configuration.txt sets KEY to VALUE (its other
//                            lines for KEY go)
struct Damage {
    std::string action;
    std::string path;     // for config: the key
    std::string argument; // bytes, offset, text or value; may be empty
};

struct BadInputRow {
    std::string name;
    std::vector<Damage> damages;
    int status = 0;            // the exit status the game must end with
    std::string message;       // a line that must appear on stdout or stderr; empty for none
    bool waits = false;        // the game must reach the waiting screen and end on Enter, Escape
    bool sampled = false;      // CI runs it; the whole table runs with SANDLARK_BADINPUT_ALL=1
    int line = 0;              // in the table, for failure messages
};

// Reads the table. Throws std::runtime_error naming the line of a malformed row.
std::vector<BadInputRow> readBadInputTable(const std::string& path);

// Makes `directory` a game directory: Shaders copied, configuration.txt
// copied with the sound off (no audio device is opened), and every file under
// Assets linked from `gameDirectory`, each folder a real one, so that a
// damaged file replaces only its own link. Then applies `damages` in order.
void makeDamagedGame(const std::string& gameDirectory, const std::string& directory,
                     const std::vector<Damage>& damages, unsigned seed);
