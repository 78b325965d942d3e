#include "assets/MeshPieces.h"

#include <glm/common.hpp>

#include <algorithm>
#include <numeric>

namespace {

// `source` with its vertices in the order of `triangles` (three each, of
// `components` floats), then the vertices beyond the drawn ones as they were.
std::shared_ptr<const std::vector<float>> permuted(const std::shared_ptr<const std::vector<float>>& source,
                                                   const std::vector<std::uint32_t>& triangles, int components,
                                                   std::uint32_t drawCount)
{
    if (!source)
        return source;
    auto values = std::make_shared<std::vector<float>>();
    values->reserve(source->size());
    const auto vertex = [&](std::uint32_t index) {
        const auto at = source->begin() + static_cast<std::ptrdiff_t>(index) * components;
        if (static_cast<std::size_t>(index + 1) * components <= source->size())
            values->insert(values->end(), at, at + components);
    };
    for (std::uint32_t triangle : triangles)
        for (std::uint32_t corner = 0; corner < 3; ++corner)
            vertex(3 * triangle + corner);
    const std::size_t rest = static_cast<std::size_t>(drawCount) * components;
    if (rest < source->size())
        values->insert(values->end(), source->begin() + static_cast<std::ptrdiff_t>(rest), source->end());
    return values;
}

} // namespace

MeshData splitIntoPieces(const MeshData& data, int grid)
{
    const std::uint32_t triangleCount = data.drawCount / 3;
    if (triangleCount < trianglesWorthSplitting || !data.positions || grid < 1 ||
        data.positions->size() < static_cast<std::size_t>(data.drawCount) * 3)
        return data;

    const std::vector<float>& position = *data.positions;
    const auto corner = [&position](std::uint32_t vertex) {
        return glm::vec3(position[3 * vertex], position[3 * vertex + 1], position[3 * vertex + 2]);
    };
    const glm::vec3 extent = glm::max(data.boundsMax - data.boundsMin, glm::vec3(1e-6f));
    const auto cellOf = [&](std::uint32_t triangle) {
        const glm::vec3 centre = (corner(3 * triangle) + corner(3 * triangle + 1) + corner(3 * triangle + 2)) / 3.0f;
        const glm::vec3 at = (centre - data.boundsMin) / extent * static_cast<float>(grid);
        const int column = std::clamp(static_cast<int>(at.x), 0, grid - 1);
        const int row = std::clamp(static_cast<int>(at.z), 0, grid - 1);
        return row * grid + column;
    };
    std::vector<int> cells(triangleCount);
    for (std::uint32_t triangle = 0; triangle < triangleCount; ++triangle)
        cells[triangle] = cellOf(triangle);
    std::vector<std::uint32_t> order(triangleCount);
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [&cells](std::uint32_t a, std::uint32_t b) { return cells[a] < cells[b]; });

    MeshData split = data;
    split.positions = permuted(data.positions, order, 3, data.drawCount);
    split.normals = permuted(data.normals, order, 3, data.drawCount);
    split.texCoords = permuted(data.texCoords, order, 2, data.drawCount);
    split.tangents = permuted(data.tangents, order, 3, data.drawCount);
    split.bitangents = permuted(data.bitangents, order, 3, data.drawCount);
    split.pieces.clear();
    for (std::uint32_t i = 0; i < triangleCount; ++i) {
        if (split.pieces.empty() || cells[order[i]] != cells[order[i - 1]]) {
            MeshPiece piece;
            piece.first = 3 * i;
            piece.boundsMin = glm::vec3(std::numeric_limits<float>::max());
            piece.boundsMax = glm::vec3(std::numeric_limits<float>::lowest());
            split.pieces.push_back(piece);
        }
        MeshPiece& piece = split.pieces.back();
        piece.count += 3;
        for (std::uint32_t c = 0; c < 3; ++c) {
            piece.boundsMin = glm::min(piece.boundsMin, corner(3 * order[i] + c));
            piece.boundsMax = glm::max(piece.boundsMax, corner(3 * order[i] + c));
        }
    }
    return split;
}
