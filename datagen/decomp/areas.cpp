#include "decomp/areas.h"

#include <deque>

namespace tessivo::datagen {
namespace {

constexpr int W = panel::WidthPixels;
constexpr int H = panel::HeightPixels;
// Longest run of outline pixels opened to join two areas of the same radical: enough to cross
// two outlines lying side by side at a junction, short enough not to cut a visible line apart.
constexpr int MaxJoinLength = 6;

std::size_t at(int x, int y) { return pixelIndex(x, y); }

}  // namespace

Regions findRegions(const Raster& raster, const Coverage& coverage) {
    Regions out;
    out.label.assign(static_cast<std::size_t>(W) * H, -1);
    std::vector<QPoint> stack;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (out.label[at(x, y)] != -1 || raster.pixel(x, y) != Raster::White) continue;
            const int id = static_cast<int>(out.info.size());
            Regions::Info info;
            info.first = QPoint(x, y);
            info.signature = coverage[at(x, y)];
            out.label[at(x, y)] = id;
            stack.assign(1, QPoint(x, y));
            while (!stack.empty()) {
                const QPoint p = stack.back();
                stack.pop_back();
                ++info.size;
                const int sig = coverage[at(p.x(), p.y())];
                for (int k = 0; k < PanelCount; ++k) {
                    if (sig & (1 << k)) ++info.inside[static_cast<std::size_t>(k)];
                }
                if (sig != info.signature) info.signature = MixedSignature;
                for (auto [dx, dy] : Neighbours) {
                    const int nx = p.x() + dx;
                    const int ny = p.y() + dy;
                    if (!isWhite(raster, nx, ny) || out.label[at(nx, ny)] != -1) continue;
                    out.label[at(nx, ny)] = id;
                    stack.emplace_back(nx, ny);
                }
            }
            out.info.push_back(info);
        }
    }
    return out;
}

std::vector<int> regionsOfPanel(const Regions& regions, int panel) {
    std::vector<int> out;
    for (int r = 0; r < static_cast<int>(regions.info.size()); ++r) {
        if (regions.inPanel(r, panel)) out.push_back(r);
    }
    return out;
}

std::vector<QPoint> joinRun(const Raster& raster, const Regions& regions, const Coverage& coverage, int from) {
    const int sig = regions.info[static_cast<std::size_t>(from)].signature;
    auto passable = [&](int x, int y) {
        if (!raster.contains(x, y) || raster.pixel(x, y) == Raster::White || coverage[at(x, y)] != sig) return false;
        for (auto [dx, dy] : Neighbours) {
            const int nx = x + dx;
            const int ny = y + dy;
            if (isWhite(raster, nx, ny) && regions.info[static_cast<std::size_t>(regions.label[at(nx, ny)])].signature != sig)
                return false;
        }
        return true;
    };
    std::vector<int> parent(static_cast<std::size_t>(W) * H, -2);
    std::vector<int> depth(static_cast<std::size_t>(W) * H, 0);
    std::deque<QPoint> queue;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (regions.label[at(x, y)] != from) continue;
            for (auto [dx, dy] : Neighbours) {
                const int nx = x + dx;
                const int ny = y + dy;
                if (!passable(nx, ny) || parent[at(nx, ny)] != -2) continue;
                parent[at(nx, ny)] = -1;
                depth[at(nx, ny)] = 1;
                queue.emplace_back(nx, ny);
            }
        }
    }
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        const std::size_t i = at(p.x(), p.y());
        for (auto [dx, dy] : Neighbours) {
            const int nx = p.x() + dx;
            const int ny = p.y() + dy;
            if (isWhite(raster, nx, ny) && regions.label[at(nx, ny)] != from) {
                std::vector<QPoint> run;
                for (int j = static_cast<int>(i); j >= 0; j = parent[static_cast<std::size_t>(j)]) run.emplace_back(j % W, j / W);
                return run;
            }
        }
        if (depth[i] >= MaxJoinLength) continue;
        for (auto [dx, dy] : Neighbours) {
            const int nx = p.x() + dx;
            const int ny = p.y() + dy;
            if (!passable(nx, ny) || parent[at(nx, ny)] != -2) continue;
            parent[at(nx, ny)] = static_cast<int>(i);
            depth[at(nx, ny)] = depth[i] + 1;
            queue.emplace_back(nx, ny);
        }
    }
    return {};
}

std::vector<int> distanceToEdge(const Raster& raster) {
    std::vector<int> dist(static_cast<std::size_t>(W) * H, 0);
    std::deque<QPoint> queue;
    for (int y = 0; y < H; ++y) {
        for (int x = 0; x < W; ++x) {
            if (raster.pixel(x, y) != Raster::White) continue;
            bool edge = false;
            for (auto [dx, dy] : Neighbours) edge = edge || !isWhite(raster, x + dx, y + dy);
            if (edge) {
                dist[at(x, y)] = 1;
                queue.emplace_back(x, y);
            }
        }
    }
    while (!queue.empty()) {
        const QPoint p = queue.front();
        queue.pop_front();
        for (auto [dx, dy] : Neighbours) {
            const int nx = p.x() + dx;
            const int ny = p.y() + dy;
            if (!isWhite(raster, nx, ny) || dist[at(nx, ny)] != 0) continue;
            dist[at(nx, ny)] = dist[at(p.x(), p.y())] + 1;
            queue.emplace_back(nx, ny);
        }
    }
    return dist;
}

}  // namespace tessivo::datagen
