#include "platform/banded_drawing.h"

#include <algorithm>
#include <utility>

#include "platform/prepared_image.h"

namespace trevanor {

namespace {
// The bytes of one band: about the second-level cache of one core. Smaller
// bands cut more labels and lines in parts, each part costing its own walk.
constexpr qsizetype kBandBytes = qsizetype{1024} << 10;
// Fewer jobs than this are drawn on the calling thread alone.
constexpr std::size_t kJobsForTwo = 64;
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
    const int top = std::min(from.y(), to.y()) - 1, bottom = std::max(from.y(), to.y()) + 1;
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

PixelSurface BandedDrawing::surfaceOf(QImage& picture, int firstRow, int endRow) {
    // Only bits that a detached picture hands out without changing itself.
    auto* bits = reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(std::as_const(picture).constBits()));
    return {bits, static_cast<int>(picture.bytesPerLine() / 4), picture.width(), picture.height(), firstRow, endRow};
}

std::size_t BandedDrawing::drawBand(QImage& picture, int band, std::size_t from) const {
    const int top = band * rows_;
    const PixelSurface surface = surfaceOf(picture, top, std::min(top + rows_, picture.height()));
    const std::vector<std::uint32_t>& bin = bins_[static_cast<std::size_t>(band)];
    for (std::size_t i = from; i < bin.size(); ++i)
        if (!drawJob(surface, jobs_[bin[i]])) return i;
    return bin.size();
}

void BandedDrawing::drawBands(QImage& picture) {
    for (;;) {
        int band;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            band = nextBand_++;
        }
        if (band >= static_cast<int>(bins_.size())) return;
        stopped_[static_cast<std::size_t>(band)] = drawBand(picture, band, 0);
    }
}

void BandedDrawing::work() {
    std::uint64_t seen = 0;
    for (;;) {
        QImage* picture;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [&] { return quit_ || round_ != seen; });
            if (quit_) return;
            seen = round_;
            picture = picture_;
        }
        drawBands(*picture);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            busy_ = 0;
        }
        done_.notify_one();
    }
}

void BandedDrawing::sortIntoBands(const QImage& picture) {
    const int height = picture.height();
    rows_ = bandRows_ > 0 ? bandRows_ : static_cast<int>(std::max<qsizetype>(kBandBytes / picture.bytesPerLine(), 8));
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

void BandedDrawing::drawOnTwoThreads(QImage& picture) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (!helper_) helper_ = std::make_unique<std::thread>([this] { work(); });
        picture_ = &picture;
        busy_ = 1;
        ++round_;
    }
    wake_.notify_one();
    drawBands(picture);
    std::unique_lock<std::mutex> lock(mutex_);
    done_.wait(lock, [&] { return busy_ == 0; });
}

void BandedDrawing::drawInBands(QImage& picture, const Otherwise& otherwise) {
    sortIntoBands(picture);
    nextBand_ = 0;
    if (bins_.size() < 2) drawBands(picture);
    else drawOnTwoThreads(picture);
    // Copies that failed, each drawn otherwise in its band before the band goes on.
    for (std::size_t band = 0; band < bins_.size(); ++band) {
        const int top = static_cast<int>(band) * rows_, end = std::min(top + rows_, picture.height());
        for (std::size_t i = stopped_[band]; i < bins_[band].size();) {
            otherwise(jobs_[bins_[band][i]].tag, top, end);
            i = drawBand(picture, static_cast<int>(band), i + 1);
        }
    }
}

void BandedDrawing::drawInto(QImage& picture, const Otherwise& otherwise) {
    if (jobs_.empty()) return;
    if (picture.isNull()) {  // nothing to draw into
        jobs_.clear();
        kept_.clear();
        large_ = false;
        return;
    }
    picture.bits();  // detached here, on this thread
    if (jobs_.size() < kJobsForTwo && !large_ && bandRows_ == 0) {
        // A few small jobs (drawn between QPainter's drawings): in order, in one go.
        const PixelSurface whole = surfaceOf(picture, 0, picture.height());
        for (const Job& job : jobs_)
            if (!drawJob(whole, job)) otherwise(job.tag, 0, picture.height());  // into the same pixels
    } else {
        drawInBands(picture, otherwise);
    }
    jobs_.clear();
    kept_.clear();
    large_ = false;
}

}  // namespace trevanor
