#include "platform/banded_drawing.h"

#include <algorithm>
#include <utility>

#include "platform/prepared_image.h"

namespace trevanor {

namespace {
// The bytes of one band: about the second-level cache of one core. Smaller
// bands cut more labels and lines in parts, each part costing its own walk.
constexpr qsizetype kBandBytes = qsizetype{1024} << 10;
// Fewer small jobs than this (drawn between QPainter's drawings) are drawn
// in order in one go, on the calling thread.
constexpr std::size_t kJobsForBands = 64;
}  // namespace

BandedDrawing::BandedDrawing() = default;

BandedDrawing::~BandedDrawing() {
    if (!helper_) return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        quit_ = true;
    }
    wake_.notify_one();
    helper_->join();
}

void BandedDrawing::note(const Job& job) { jobs_.push_back(job); }

void BandedDrawing::fill(QRect area, QRgb colour) {
    if (area.isEmpty()) return;
    large_ = large_ || area.width() * qsizetype{area.height()} * 4 > kBandBytes;
    note({Job::Kind::Fill, PixelInk::Copy, area.top(), area.bottom(), area, nullptr, nullptr, nullptr, colour, 0});
}

void BandedDrawing::copy(const PreparedImage& image, int x, int y, std::uint32_t tag) {
    const QRect box = image.box().translated(x, y);
    note({Job::Kind::Copy, PixelInk::Copy, box.top(), box.bottom(), QRect(x, y, 1, 1), &image, nullptr, nullptr, 0, tag});
}

void BandedDrawing::line(QPoint from, QPoint to, QRgb colour, const LineDashes& dashes, PixelInk ink) {
    // A pixel's row lies within a row of the ends' rows.
    const int top = std::min(from.y(), to.y()) - 1 - origin_.y(), bottom = std::max(from.y(), to.y()) + 1 - origin_.y();
    note({Job::Kind::Line, ink, top, bottom, QRect(from, to), nullptr, nullptr, &dashes, colour, 0});
}

void BandedDrawing::copyBack(const QImage& from, QRect area) {
    area &= from.rect();
    if (area.isEmpty()) return;
    large_ = large_ || area.width() * qsizetype{area.height()} * 4 > kBandBytes;
    kept_.push_back(from);  // its pixels stay while they are read
    note({Job::Kind::CopyBack, PixelInk::Copy, area.top(), area.bottom(), area, nullptr,
          reinterpret_cast<const std::uint32_t*>(from.constBits()), nullptr, 0, 0});
}

bool BandedDrawing::drawJob(const PixelSurface& surface, const Job& job) {
    const QRect rows(0, surface.firstRow, surface.width, std::min(surface.endRow, surface.height) - surface.firstRow);
    const auto row = [&surface](int y) { return static_cast<qsizetype>(y) * surface.pixelsPerLine; };
    switch (job.kind) {
    case Job::Kind::Fill: {
        const QRect area = job.area & rows;
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::fill_n(surface.bits + row(y) + area.left(), area.width(), job.colour);
        return true;
    }
    case Job::Kind::CopyBack: {
        const QRect area = job.area & rows;
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::copy_n(job.from + row(y) + area.left(), area.width(), surface.bits + row(y) + area.left());
        return true;
    }
    case Job::Kind::Copy: return job.image->copyTo(surface, job.area.x(), job.area.y());
    case Job::Kind::Line:
        draw_pixel_line(surface, job.area.left(), job.area.top(), job.area.right(), job.area.bottom(), job.colour,
                        *job.dashes, job.ink);
        return true;
    }
    return true;
}

std::size_t BandedDrawing::drawBand(int band, std::size_t from) const {
    PixelSurface surface = surface_;
    surface.firstRow = band * rows_;
    surface.endRow = std::min(surface.firstRow + rows_, surface.height);
    const std::vector<std::uint32_t>& bin = bins_[static_cast<std::size_t>(band)];
    for (std::size_t i = from; i < bin.size(); ++i)
        if (!drawJob(surface, jobs_[bin[i]])) return i;
    return bin.size();
}

void BandedDrawing::drawBands() {
    for (;;) {
        int band;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            band = nextBand_++;
        }
        if (band >= static_cast<int>(bins_.size())) return;
        stopped_[static_cast<std::size_t>(band)] = drawBand(band, 0);
    }
}

void BandedDrawing::work() {
    std::uint64_t seen = 0;
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return quit_ || round_ != seen; });
            if (quit_) return;
            seen = round_;
        }
        drawBands();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            busy_ = false;
        }
        done_.notify_one();
    }
}

void BandedDrawing::sortIntoBands() {
    const int height = surface_.height;
    const auto lineBytes = static_cast<qsizetype>(surface_.pixelsPerLine) * 4;
    rows_ = bandRows_ > 0 ? bandRows_ : static_cast<int>(std::max<qsizetype>(kBandBytes / lineBytes, 8));
    const int bands = (height + rows_ - 1) / rows_;
    bins_.resize(static_cast<std::size_t>(bands));
    for (auto& bin : bins_) bin.clear();
    stopped_.assign(static_cast<std::size_t>(bands), 0);
    for (std::uint32_t i = 0; i < jobs_.size(); ++i) {
        const int top = std::max(jobs_[i].top, 0), bottom = std::min(jobs_[i].bottom, height - 1);
        for (int band = top / rows_; top <= bottom && band <= bottom / rows_; ++band)
            bins_[static_cast<std::size_t>(band)].push_back(i);
    }
}

void BandedDrawing::drawOnTwoThreads() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!helper_) helper_ = std::make_unique<std::thread>([this] { work(); });
        busy_ = true;
        ++round_;
    }
    wake_.notify_one();
    drawBands();
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] { return !busy_; });
}

void BandedDrawing::drawInBands(const Otherwise& otherwise) {
    sortIntoBands();
    nextBand_ = 0;
    if (bins_.size() < 2) drawBands();
    else drawOnTwoThreads();
    // Copies that failed, each drawn otherwise in its band before the band goes on.
    for (std::size_t band = 0; band < bins_.size(); ++band) {
        const int top = static_cast<int>(band) * rows_, end = std::min(top + rows_, surface_.height);
        for (std::size_t i = stopped_[band]; i < bins_[band].size();) {
            otherwise(jobs_[bins_[band][i]].tag, top, end);
            i = drawBand(static_cast<int>(band), i + 1);
        }
    }
}

void BandedDrawing::forget() {
    jobs_.clear();
    kept_.clear();
    large_ = false;
}

void BandedDrawing::drawInto(QImage& picture, const Otherwise& otherwise) {
    if (jobs_.empty()) return;
    if (picture.isNull()) {  // nothing to draw into
        forget();
        return;
    }
    // Detached here, on this thread: the pixels stay where they are while
    // the jobs (and QPainter, drawing otherwise) go on.
    const int wholeWidth = surface_.surfaceWidth, wholeHeight = surface_.surfaceHeight;
    surface_ = {reinterpret_cast<std::uint32_t*>(picture.bits()), static_cast<int>(picture.bytesPerLine() / 4),
                picture.width(), picture.height()};
    surface_.originX = origin_.x();
    surface_.originY = origin_.y();
    surface_.surfaceWidth = wholeWidth;
    surface_.surfaceHeight = wholeHeight;
    if (jobs_.size() < kJobsForBands && !large_ && bandRows_ == 0) {
        for (const Job& job : jobs_)
            if (!drawJob(surface_, job)) otherwise(job.tag, 0, surface_.height);
    } else {
        drawInBands(otherwise);
    }
    forget();
}

}  // namespace trevanor
