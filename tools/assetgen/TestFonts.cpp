#include "TestFonts.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace {
constexpr int cellColumns = 7, cellRows = 8;
constexpr int letterAdvanceCells = 8, spaceAdvanceCells = 5;
constexpr int unitsPerEm = 1000, unitsPerCell = 100;

const char* const tCells[cellRows] = {"#######", "#######", "..###..", "..###..", "..###..", "..###..", "..###..", "..###.."};
const char* const lCells[cellRows] = {"##.....", "##.....", "##.....", "##.....", "##.....", "##.....", "#######", "#######"};

// The glyphs of the sfnt fonts, in glyph order after the empty .notdef.
struct Character {
    char code;
    const char* const* cells;  // null for the space
    int advanceCells;
};
const Character characters[] = {{' ', nullptr, spaceAdvanceCells}, {'L', lCells, letterAdvanceCells}, {'T', tCells, letterAdvanceCells}};
constexpr int glyphCount = 4;  // .notdef and the three characters

void checkSize(int pixelSize, int largest) {
    if (pixelSize < 10 || pixelSize > largest || pixelSize % 10 != 0)
        throw std::runtime_error("a test font's size must be a multiple of 10 from 10 to " + std::to_string(largest));
}

bool filled(const char* const* cells, int column, int row) { return cells[row][column] == '#'; }

// Big-endian bytes, as every sfnt table is written.
struct Bytes {
    std::string data;
    void u8(int v) { data.push_back(char(uint8_t(v))); }
    void u16(int v) { u8(v >> 8); u8(v); }
    void u32(uint32_t v) { u16(int(v >> 16)); u16(int(v & 0xFFFF)); }
    void zeros(int count) { data.append(size_t(count), '\0'); }
};

struct Table {
    const char* tag;
    std::string data;
};

uint32_t checksum(const std::string& data) {
    uint32_t sum = 0;
    for (size_t i = 0; i < data.size(); i += 4) {
        uint32_t word = 0;
        for (size_t j = 0; j < 4; ++j) word = (word << 8) | (i + j < data.size() ? uint8_t(data[i + j]) : 0u);
        sum += word;
    }
    return sum;
}

// The sfnt container: the table directory (tags in byte order) and each table
// padded to four bytes.
std::string sfnt(std::vector<Table> tables) {
    std::sort(tables.begin(), tables.end(), [](const Table& a, const Table& b) { return std::string(a.tag) < b.tag; });
    Bytes font;
    const int count = int(tables.size());
    int power = 1, log2 = 0;
    while (power * 2 <= count) power *= 2, ++log2;
    font.u32(0x00010000);
    font.u16(count);
    font.u16(power * 16);
    font.u16(log2);
    font.u16(count * 16 - power * 16);
    uint32_t offset = uint32_t(12 + 16 * count);
    for (const Table& table : tables) {
        font.data.append(table.tag, 4);
        font.u32(checksum(table.data));
        font.u32(offset);
        font.u32(uint32_t(table.data.size()));
        offset += uint32_t((table.data.size() + 3) / 4 * 4);
    }
    for (const Table& table : tables) {
        font.data += table.data;
        font.zeros(int((4 - table.data.size() % 4) % 4));
    }
    return font.data;
}

std::string headTable() {
    Bytes head;
    head.u32(0x00010000);  // version
    head.u32(0x00010000);  // font revision
    head.u32(0);           // checksum adjustment: FreeType does not check it
    head.u32(0x5F0F3CF5);  // magic number
    head.u16(0x0003);      // baseline at y = 0, left side bearing at x = 0
    head.u16(unitsPerEm);
    head.zeros(16);  // created, modified
    head.u16(0);
    head.u16(0);
    head.u16(cellColumns * unitsPerCell);
    head.u16(cellRows * unitsPerCell);
    head.u16(0);  // mac style
    head.u16(8);  // lowest readable size
    head.u16(2);  // font direction hint
    head.u16(1);  // long offsets in loca
    head.u16(0);  // glyph data format
    return head.data;
}

std::string hheaTable() {
    Bytes hhea;
    hhea.u32(0x00010000);
    hhea.u16(cellRows * unitsPerCell);  // ascender
    hhea.u16(-2 * unitsPerCell);        // descender
    hhea.u16(0);                        // line gap
    hhea.u16(letterAdvanceCells * unitsPerCell);
    hhea.zeros(4);  // least left and right side bearings
    hhea.u16(cellColumns * unitsPerCell);
    hhea.u16(1);  // caret slope: upright
    hhea.u16(0);
    hhea.zeros(10);  // caret offset, reserved
    hhea.u16(0);     // metric data format
    hhea.u16(glyphCount);
    return hhea.data;
}

std::string maxpTable(int largestPoints, int largestContours) {
    Bytes maxp;
    maxp.u32(0x00010000);
    maxp.u16(glyphCount);
    maxp.u16(largestPoints);
    maxp.u16(largestContours);
    maxp.zeros(4);  // composites
    maxp.u16(2);    // zones
    maxp.zeros(16);
    return maxp.data;
}

std::string hmtxTable() {
    Bytes hmtx;
    hmtx.u16(letterAdvanceCells * unitsPerCell);  // .notdef
    hmtx.u16(0);
    for (const Character& character : characters) {
        hmtx.u16(character.advanceCells * unitsPerCell);
        hmtx.u16(0);
    }
    return hmtx.data;
}

// Unicode to glyph: one segment a character, then the closing one.
std::string cmapTable() {
    const int segments = int(std::size(characters)) + 1;
    Bytes subtable;
    subtable.u16(4);
    subtable.u16(16 + 8 * segments);
    subtable.u16(0);
    subtable.u16(segments * 2);
    int power = 1, log2 = 0;
    while (power * 2 <= segments) power *= 2, ++log2;
    subtable.u16(power * 2);
    subtable.u16(log2);
    subtable.u16(segments * 2 - power * 2);
    for (const Character& character : characters) subtable.u16(character.code);
    subtable.u16(0xFFFF);
    subtable.u16(0);  // reserved
    for (const Character& character : characters) subtable.u16(character.code);
    subtable.u16(0xFFFF);
    for (int glyph = 1; glyph < glyphCount; ++glyph) subtable.u16(glyph - characters[glyph - 1].code);
    subtable.u16(1);
    subtable.zeros(2 * segments);  // no range offsets
    Bytes cmap;
    cmap.u16(0);
    cmap.u16(1);
    cmap.u16(3);  // Windows, Unicode
    cmap.u16(1);
    cmap.u32(12);
    return cmap.data + subtable.data;
}

// One rectangle a run of filled cells in a row, clockwise, in font units.
struct Rectangle {
    int x0, y0, x1, y1;
};
std::vector<Rectangle> outlineOf(const char* const* cells) {
    std::vector<Rectangle> rectangles;
    for (int row = 0; row < cellRows; ++row) {
        for (int column = 0; column < cellColumns;) {
            if (!filled(cells, column, row)) {
                ++column;
                continue;
            }
            int end = column;
            while (end < cellColumns && filled(cells, end, row)) ++end;
            rectangles.push_back({column * unitsPerCell, (cellRows - 1 - row) * unitsPerCell, end * unitsPerCell, (cellRows - row) * unitsPerCell});
            column = end;
        }
    }
    return rectangles;
}

std::string simpleGlyph(const std::vector<Rectangle>& rectangles) {
    Bytes glyph;
    glyph.u16(int(rectangles.size()));
    int x0 = 1 << 15, y0 = 1 << 15, x1 = -x0, y1 = -y0;
    for (const Rectangle& r : rectangles) x0 = std::min(x0, r.x0), y0 = std::min(y0, r.y0), x1 = std::max(x1, r.x1), y1 = std::max(y1, r.y1);
    glyph.u16(x0);
    glyph.u16(y0);
    glyph.u16(x1);
    glyph.u16(y1);
    for (size_t i = 0; i < rectangles.size(); ++i) glyph.u16(int(4 * i + 3));
    glyph.u16(0);  // no instructions
    for (size_t i = 0; i < 4 * rectangles.size(); ++i) glyph.u8(0x01);  // on the curve, 16-bit deltas
    std::vector<std::pair<int, int>> points;
    for (const Rectangle& r : rectangles) {
        points.insert(points.end(), {{r.x0, r.y0}, {r.x0, r.y1}, {r.x1, r.y1}, {r.x1, r.y0}});
    }
    int previous = 0;
    for (const auto& point : points) glyph.u16(point.first - previous), previous = point.first;
    previous = 0;
    for (const auto& point : points) glyph.u16(point.second - previous), previous = point.second;
    return glyph.data;
}

// A glyph's picture as PNG: the filled cells opaque dark red.
std::string pngOf(const char* const* cells, int cell) {
    const int width = cells ? cellColumns * cell : 1, height = cells ? cellRows * cell : 1;
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!bitmap) throw std::runtime_error("out of memory for a colour glyph");
    for (int y = 0; y < height; ++y) {
        // FreeImage keeps the bottom row first.
        BYTE* line = FreeImage_GetScanLine(bitmap, height - 1 - y);
        for (int x = 0; x < width; ++x) {
            const bool on = cells && filled(cells, x / cell, y / cell);
            line[x * 4 + FI_RGBA_RED] = on ? 160 : 0;
            line[x * 4 + FI_RGBA_GREEN] = on ? 20 : 0;
            line[x * 4 + FI_RGBA_BLUE] = on ? 20 : 0;
            line[x * 4 + FI_RGBA_ALPHA] = on ? 255 : 0;
        }
    }
    FIMEMORY* memory = FreeImage_OpenMemory();
    const bool saved = FreeImage_SaveToMemory(FIF_PNG, bitmap, memory, PNG_DEFAULT);
    BYTE* data = nullptr;
    DWORD size = 0;
    std::string png;
    if (saved && FreeImage_AcquireMemory(memory, &data, &size)) png.assign(reinterpret_cast<const char*>(data), size);
    FreeImage_CloseMemory(memory);
    FreeImage_Unload(bitmap);
    if (png.empty()) throw std::runtime_error("could not encode a colour glyph");
    return png;
}

void lineMetrics(Bytes& table, int pixelSize) {
    table.u8(pixelSize * 8 / 10);   // ascender
    table.u8(-pixelSize * 2 / 10);  // descender
    table.u8(pixelSize * letterAdvanceCells / 10);
    table.u8(1);  // caret slope: upright
    table.zeros(8);
}

void writeFile(const std::string& path, const std::string& data) {
    std::ofstream out(path, std::ios::binary);
    out << data;
    if (!out) throw std::runtime_error("could not write " + path);
}
}  // namespace

const char* const* testGlyphCells(char letter) {
    for (const Character& character : characters)
        if (character.code == letter) return character.cells;
    return nullptr;
}

std::string bitmapFontBdf(int pixelSize) {
    checkSize(pixelSize, 250);
    const int cell = pixelSize / 10, width = cellColumns * cell, height = cellRows * cell;
    std::string bdf = "STARTFONT 2.1\nFONT -Sandlark-Test-Medium-R-Normal--" + std::to_string(pixelSize) + "-" + std::to_string(pixelSize * 10) +
                      "-75-75-C-" + std::to_string(letterAdvanceCells * cell * 10) + "-ISO10646-1\n" + "SIZE " + std::to_string(pixelSize) + " 75 75\n" +
                      "FONTBOUNDINGBOX " + std::to_string(width) + " " + std::to_string(height) + " 0 0\n" +
                      "STARTPROPERTIES 3\nPIXEL_SIZE " + std::to_string(pixelSize) + "\nFONT_ASCENT " + std::to_string(height) + "\nFONT_DESCENT " +
                      std::to_string(pixelSize - height) + "\nENDPROPERTIES\nCHARS " + std::to_string(std::size(characters)) + "\n";
    for (const Character& character : characters) {
        const int advance = character.advanceCells * cell;
        bdf += "STARTCHAR U+" + std::to_string(int(character.code)) + "\nENCODING " + std::to_string(int(character.code)) + "\nSWIDTH " +
               std::to_string(character.advanceCells * unitsPerCell) + " 0\nDWIDTH " + std::to_string(advance) + " 0\n";
        if (!character.cells) {
            bdf += "BBX 1 1 0 0\nBITMAP\n00\nENDCHAR\n";
            continue;
        }
        bdf += "BBX " + std::to_string(width) + " " + std::to_string(height) + " 0 0\nBITMAP\n";
        // Each row in whole bytes, the leftmost pixel in the highest bit.
        for (int y = 0; y < height; ++y) {
            std::vector<int> bytes(size_t((width + 7) / 8), 0);
            for (int x = 0; x < width; ++x)
                if (filled(character.cells, x / cell, y / cell)) bytes[size_t(x / 8)] |= 0x80 >> (x % 8);
            static const char hex[] = "0123456789ABCDEF";
            for (int byte : bytes) bdf += std::string{hex[byte >> 4], hex[byte & 15]};
            bdf += "\n";
        }
        bdf += "ENDCHAR\n";
    }
    return bdf + "ENDFONT\n";
}

std::string outlineFontTtf() {
    std::string glyf;
    Bytes loca;
    int largestContours = 0;
    loca.u32(0);  // .notdef and the space have no outline
    loca.u32(0);
    loca.u32(0);
    for (const Character& character : characters) {
        if (!character.cells) continue;
        const std::vector<Rectangle> outline = outlineOf(character.cells);
        largestContours = std::max(largestContours, int(outline.size()));
        glyf += simpleGlyph(outline);
        glyf.append((4 - glyf.size() % 4) % 4, '\0');
        loca.u32(uint32_t(glyf.size()));
    }
    return sfnt({{"head", headTable()},
                 {"hhea", hheaTable()},
                 {"maxp", maxpTable(4 * largestContours, largestContours)},
                 {"hmtx", hmtxTable()},
                 {"cmap", cmapTable()},
                 {"loca", loca.data},
                 {"glyf", glyf}});
}

std::string colourFontCbdt(int pixelSize) {
    checkSize(pixelSize, 150);
    const int cell = pixelSize / 10;
    // The glyph data: a header, then per glyph its small metrics and its PNG.
    Bytes cbdt;
    cbdt.u16(3);
    cbdt.u16(0);
    std::vector<uint32_t> offsets;
    for (const Character& character : characters) {
        offsets.push_back(uint32_t(cbdt.data.size() - 4));
        const std::string png = pngOf(character.cells, cell);
        const int width = character.cells ? cellColumns * cell : 1, height = character.cells ? cellRows * cell : 1;
        cbdt.u8(height);
        cbdt.u8(width);
        cbdt.u8(0);                              // bearing x
        cbdt.u8(character.cells ? height : 0);  // bearing y: the top sits this high over the baseline
        cbdt.u8(character.advanceCells * cell);
        cbdt.u32(uint32_t(png.size()));
        cbdt.data += png;
    }
    offsets.push_back(uint32_t(cbdt.data.size() - 4));
    // Where each glyph lies: one size, one index subtable of format 1 (an
    // offset a glyph) for glyphs 1 to 3, images of format 17 (small metrics, PNG).
    Bytes cblc;
    const int arrayOffset = 8 + 48, subtableOffset = 8, subtableSize = 8 + 4 * int(offsets.size());
    cblc.u16(3);
    cblc.u16(0);
    cblc.u32(1);
    cblc.u32(uint32_t(arrayOffset));
    cblc.u32(uint32_t(subtableOffset + subtableSize));
    cblc.u32(1);
    cblc.u32(0);
    lineMetrics(cblc, pixelSize);
    lineMetrics(cblc, pixelSize);
    cblc.u16(1);
    cblc.u16(glyphCount - 1);
    cblc.u8(pixelSize);
    cblc.u8(pixelSize);
    cblc.u8(32);  // bits a pixel: colour
    cblc.u8(1);   // horizontal metrics
    cblc.u16(1);
    cblc.u16(glyphCount - 1);
    cblc.u32(uint32_t(subtableOffset));
    cblc.u16(1);
    cblc.u16(17);
    cblc.u32(4);  // the images start after CBDT's header
    for (uint32_t offset : offsets) cblc.u32(offset);
    return sfnt({{"head", headTable()},
                 {"hhea", hheaTable()},
                 {"maxp", maxpTable(0, 0)},
                 {"hmtx", hmtxTable()},
                 {"cmap", cmapTable()},
                 {"CBLC", cblc.data},
                 {"CBDT", cbdt.data}});
}

void writeTestFonts(const std::string& dir) {
    std::filesystem::create_directories(dir);
    writeFile(dir + "/bitmap-10.bdf", bitmapFontBdf(10));
    writeFile(dir + "/bitmap-30.bdf", bitmapFontBdf(30));
    writeFile(dir + "/outline.ttf", outlineFontTtf());
    writeFile(dir + "/colour-120.ttf", colourFontCbdt(120));
}
