#include "platform/map_tiles.h"

#include <algorithm>
#include <cmath>

namespace trevanor {

namespace {
constexpr int kTile = 256;  // pixels of the screen each way
// Tiles held beyond those of the visible part and its margin, the ones
// used last; a few screens' worth when scrolling back and forth.
constexpr std::size_t kSpareTiles = 64;
}  // namespace

MapTiles::MapTiles() { canvas_.setWindow(QRect(0, 0, 1, 1)); }

QRegion MapTiles::show(const DrawingList& list, qreal scale) {
    list_ = &list;
    canvas_.setScale(scale);
    const TileGrid grid(list.width(), list.height(), scale, kTile);
    std::vector<std::uint64_t> hashes = tile_hashes(list, grid);
    const QRect whole(0, 0, list.width(), list.height());
    if (!(grid == grid_) || hashes_.size() != hashes.size()) {
        grid_ = grid;
        hashes_ = std::move(hashes);
        tiles_.clear();
        return whole;
    }
    QRegion changed;
    std::vector<int> gone;
    for (int i = 0; i < grid_.count(); ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (hashes[at] == hashes_[at]) continue;
        gone.push_back(i);
        const DeviceRect d = grid_.pixelsOf(i % grid_.columns(), i / grid_.columns());
        const PixelBox b = grid_.mapBoxOf(d);
        changed += QRect(QPoint(b.left, b.top), QPoint(b.right, b.bottom));
    }
    drop(gone);
    hashes_ = std::move(hashes);
    return changed & whole;
}

DeviceRect MapTiles::devicePixels(QRect mapArea) const {
    const double s = grid_.scale;
    const int left = static_cast<int>(std::floor(mapArea.left() * s)), top = static_cast<int>(std::floor(mapArea.top() * s));
    const int right = static_cast<int>(std::ceil((mapArea.right() + 1) * s));
    const int bottom = static_cast<int>(std::ceil((mapArea.bottom() + 1) * s));
    return {left, top, right - left, bottom - top};
}

void MapTiles::paint(QPainter& painter, QRect exposed) {
    // Where no tile lies (nothing drawn yet, a last part of a pixel at a scale): black.
    const QRect tiled = list_ ? QRect(0, 0, static_cast<int>(grid_.width / grid_.scale), static_cast<int>(grid_.height / grid_.scale))
                              : QRect();
    for (const QRect& r : QRegion(exposed) - tiled) painter.fillRect(r, Qt::black);
    if (!list_) return;
    const TileGrid::Range r = grid_.tilesIn(devicePixels(exposed));
    drawMissing(r);
    painter.save();
    // In the screen's own pixels: every pixel of a tile is one of the screen's.
    painter.setWorldTransform(QTransform::fromScale(1 / grid_.scale, 1 / grid_.scale), true);
    for (int row = r.firstRow; row < r.endRow; ++row)
        for (int column = r.firstColumn; column < r.endColumn; ++column) {
            Tile& tile = tiles_[grid_.index(column, row)];
            tile.used = ++clock_;
            const QRect source = tile.image.rect();
            painter.drawImage(QRectF(column * grid_.tile, row * grid_.tile, source.width(), source.height()), tile.image,
                              source);
        }
    painter.restore();
}

void MapTiles::drawMissing(const TileGrid::Range& r) {
    std::vector<int> missing;
    QRect bound;
    qint64 area = 0;
    for (int row = r.firstRow; row < r.endRow; ++row)
        for (int column = r.firstColumn; column < r.endColumn; ++column) {
            const int i = grid_.index(column, row);
            if (tiles_.count(i)) continue;
            missing.push_back(i);
            const DeviceRect d = grid_.pixelsOf(column, row);
            bound |= QRect(d.x, d.y, d.w, d.h);
            area += qint64{d.w} * d.h;
        }
    if (missing.empty()) return;
    if (qint64{bound.width()} * bound.height() <= 2 * area) {
        drawWindow({bound.x(), bound.y(), bound.width(), bound.height()}, missing);
        return;
    }
    for (const int i : missing) drawWindow(grid_.pixelsOf(i % grid_.columns(), i / grid_.columns()), {i});
}

// The tiles show their parts of the window's pixels where they lie, without
// a copy; the window's pixels go when the last of them goes.
void MapTiles::drawWindow(const DeviceRect& window, const std::vector<int>& tiles) {
    canvas_.setWindow(QRect(window.x, window.y, window.w, window.h), !list_->opaque());
    canvas_.setSize(list_->width(), list_->height());
    list_->play(canvas_, grid_.mapBoxOf(window));
    auto shared = std::make_shared<Window>();
    shared->pixels = canvas_.image();
    shared->tiles = shared->held = static_cast<int>(tiles.size());
    const QImage& pixels = shared->pixels;
    for (const int i : tiles) {
        const DeviceRect d = grid_.pixelsOf(i % grid_.columns(), i / grid_.columns());
        drop(i);
        Tile& tile = tiles_[i];
        tile.image = QImage(pixels.constBits() + (d.y - window.y) * pixels.bytesPerLine() + (d.x - window.x) * 4, d.w,
                            d.h, pixels.bytesPerLine(), pixels.format());
        tile.window = shared;
        tile.hash = hashes_[static_cast<std::size_t>(i)];
        tile.used = ++clock_;
        ++drawn_;
    }
}

// A window most of whose tiles went gives its last ones pixels of their own,
// so that it goes too: what is held stays near what the tiles show. Tiles
// going together go first, so that none is copied only to go.
void MapTiles::drop(const std::vector<int>& indices) {
    std::vector<std::shared_ptr<Window>> thinned;
    for (const int index : indices) {
        const auto it = tiles_.find(index);
        if (it == tiles_.end()) continue;
        std::shared_ptr<Window> window = std::move(it->second.window);
        tiles_.erase(it);
        if (window && --window->held > 0 && window->held * 2 < window->tiles &&
            std::find(thinned.begin(), thinned.end(), window) == thinned.end())
            thinned.push_back(std::move(window));
    }
    if (thinned.empty()) return;
    for (auto& [i, tile] : tiles_)
        if (tile.window && std::find(thinned.begin(), thinned.end(), tile.window) != thinned.end()) {
            tile.image = tile.image.copy();
            tile.window.reset();
        }
}

std::size_t MapTiles::heldBytes() const {
    std::size_t bytes = 0;
    std::vector<const Window*> windows;
    for (const auto& [i, tile] : tiles_) {
        if (!tile.window) {
            bytes += static_cast<std::size_t>(tile.image.sizeInBytes());
        } else if (std::find(windows.begin(), windows.end(), tile.window.get()) == windows.end()) {
            windows.push_back(tile.window.get());
            bytes += static_cast<std::size_t>(tile.window->pixels.sizeInBytes());
        }
    }
    return bytes;
}

void MapTiles::forget() { tiles_.clear(); }

bool MapTiles::prepareAround(QRect visible, int most) {
    if (!list_) return false;
    TileGrid::Range r = grid_.tilesIn(devicePixels(visible));
    r = {std::max(r.firstColumn - 1, 0), std::max(r.firstRow - 1, 0), std::min(r.endColumn + 1, grid_.columns()),
         std::min(r.endRow + 1, grid_.rows())};
    trim(r);
    int left = most;
    for (int row = r.firstRow; row < r.endRow; ++row)
        for (int column = r.firstColumn; column < r.endColumn; ++column) {
            const int i = grid_.index(column, row);
            if (tiles_.count(i)) continue;
            if (left-- == 0) return true;
            drawWindow(grid_.pixelsOf(column, row), {i});
        }
    return false;
}

void MapTiles::trim(const TileGrid::Range& keep) {
    const auto inside = [&](int i) {
        const int column = i % grid_.columns(), row = i / grid_.columns();
        return column >= keep.firstColumn && column < keep.endColumn && row >= keep.firstRow && row < keep.endRow;
    };
    std::vector<std::pair<std::uint64_t, int>> others;
    for (const auto& [i, tile] : tiles_)
        if (!inside(i)) others.emplace_back(tile.used, i);
    if (others.size() <= kSpareTiles) return;
    std::sort(others.begin(), others.end());
    std::vector<int> oldest;
    for (std::size_t k = 0; k + kSpareTiles < others.size(); ++k) oldest.push_back(others[k].second);
    drop(oldest);
}

void MapTiles::letGo() {
    tiles_.clear();
    canvas_.setWindow(QRect(0, 0, 1, 1));  // the last window's pixels go too
    canvas_.forgetPrepared();
}

QImage MapTiles::pixels(QRect area) {
    QImage out(area.size(), QImage::Format_RGB32);
    out.fill(Qt::black);
    if (!list_) return out;
    const TileGrid::Range r = grid_.tilesIn({area.x(), area.y(), area.width(), area.height()});
    drawMissing(r);
    QPainter p(&out);
    for (int row = r.firstRow; row < r.endRow; ++row)
        for (int column = r.firstColumn; column < r.endColumn; ++column)
            p.drawImage(QPoint(column * grid_.tile, row * grid_.tile) - area.topLeft(), tiles_[grid_.index(column, row)].image);
    return out;
}

}  // namespace trevanor
