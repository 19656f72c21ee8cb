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
    kept_.push_back(from);  // its pixels stay while they are read
    note({Job::Kind::CopyBack, PixelInk::Copy, area.top(), area.bottom(), area, nullptr,
          reinterpret_cast<const std::uint32_t*>(from.constBits()), nullptr, 0, 0});
}

std::size_t BandedDrawing::drawBand(QImage& picture, int band, std::size_t from) const {
    const int top = band * rows_, end = std::min(top + rows_, picture.height());
    // Only bits that a detached picture hands out without changing itself.
    auto* bits = reinterpret_cast<std::uint32_t*>(const_cast<uchar*>(std::as_const(picture).constBits()));
    const PixelSurface surface{bits, static_cast<int>(picture.bytesPerLine() / 4), picture.width(), picture.height(),
                               top, end};
    const std::vector<std::uint32_t>& bin = bins_[static_cast<std::size_t>(band)];
    for (std::size_t i = from; i < bin.size(); ++i) {
        const Job& job = jobs_[bin[i]];
        switch (job.kind) {
        case Job::Kind::Fill: {
            const QRect area = job.area & QRect(0, top, picture.width(), end - top);
            for (int y = area.top(); y <= area.bottom(); ++y)
                std::fill_n(bits + static_cast<qsizetype>(y) * surface.pixelsPerLine + area.left(), area.width(),
                            job.colour);
            break;
        }
        case Job::Kind::CopyBack: {
            const QRect area = job.area & QRect(0, top, surface.width, end - top);
            for (int y = area.top(); y <= area.bottom(); ++y) {
                const qsizetype at = static_cast<qsizetype>(y) * surface.pixelsPerLine + area.left();
                std::copy_n(job.from + at, area.width(), surface.bits + at);
            }
            break;
        }
        case Job::Kind::Copy:
            if (!job.image->copyTo(surface, job.area.x(), job.area.y())) return i;
            break;
        case Job::Kind::Line:
            draw_pixel_line(surface, job.area.left(), job.area.top(), job.area.right(), job.area.bottom(), job.colour,
                            *job.dashes, job.ink);
            break;
        }
    }
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
    // A few jobs (drawn between QPainter's drawings) are drawn in one go.
    const int cached = static_cast<int>(std::max<qsizetype>(kBandBytes / picture.bytesPerLine(), 8));
    rows_ = bandRows_ > 0 ? bandRows_ : jobs_.size() < kJobsForTwo ? std::max(height, 1) : cached;
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

void BandedDrawing::drawInto(QImage& picture, const Otherwise& otherwise) {
    if (jobs_.empty()) return;
    if (picture.isNull()) {  // nothing to draw into
        jobs_.clear();
        kept_.clear();
        return;
    }
    picture.bits();  // detached here, on this thread
    sortIntoBands(picture);
    nextBand_ = 0;
    if (bins_.size() < 2 || jobs_.size() < kJobsForTwo) drawBands(picture);
    else drawOnTwoThreads(picture);
    // Copies that failed, each drawn otherwise in its band before the band goes on.
    for (std::size_t band = 0; band < bins_.size(); ++band) {
        const int top = static_cast<int>(band) * rows_, end = std::min(top + rows_, picture.height());
        for (std::size_t i = stopped_[band]; i < bins_[band].size();) {
            otherwise(jobs_[bins_[band][i]].tag, top, end);
            i = drawBand(picture, static_cast<int>(band), i + 1);
        }
    }
    jobs_.clear();
    kept_.clear();
}

}  // namespace trevanor
