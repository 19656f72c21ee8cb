#pragma once
// Drawing that only writes pixels (fills, copies of prepared images, lines
// written straight into the pixels) is noted first and done later, band by
// band. A band of rows fits the processor's cache: a label mixes its soft
// edges with pixels read from the cache rather than from memory, and a
// route's pixels are written to lines the cache already holds. Two threads
// draw bands side by side. Within a band everything is drawn in the order it
// was noted, and every drawing gives a band exactly its own pixels, so the
// picture is the very one the same drawing done at once makes. A copy that
// finds a twice-mixed pixel over a colour it does not know is drawn another
// way by whoever noted it, in that band's rows, when the two threads are done.

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/pixel_line.h"

namespace trevanor {

class PreparedImage;

class BandedDrawing {
public:
    BandedDrawing();
    ~BandedDrawing();
    BandedDrawing(const BandedDrawing&) = delete;
    BandedDrawing& operator=(const BandedDrawing&) = delete;

    // A rectangle filled with one opaque colour.
    void fill(QRect area, QRgb colour);
    // A prepared image that copiesLater to (x, y); it must stay as it is
    // until the drawing is done. `tag` tells the one who noted it which copy
    // to draw otherwise, when it cannot be copied.
    void copy(const PreparedImage& image, int x, int y, std::uint32_t tag = 0);
    // A line whose pixels pixel_lines_fit the picture; `dashes` must outlive
    // the drawing. Its ends are points of the whole surface (see setWindow).
    void line(QPoint from, QPoint to, QRgb colour, const LineDashes& dashes, PixelInk ink);
    // The picture drawn into is the window at `origin` of a surface of that
    // size (a tile of the map); everything but lines is given in the
    // window's own pixels. By default the picture is the whole surface.
    void setWindow(QPoint origin, QSize surface) {
        origin_ = origin;
        surface_.surfaceWidth = surface.width();
        surface_.surfaceHeight = surface.height();
    }
    // The pixels of `area` put back from a picture of the same size and
    // format (a kept one), which stays unchanged until the drawing is done.
    void copyBack(const QImage& from, QRect area);

    bool empty() const { return jobs_.empty(); }
    // Draws a copy that could not be copied, by its tag, into the rows from
    // firstRow to before endRow of the picture only.
    using Otherwise = std::function<void(std::uint32_t tag, int firstRow, int endRow)>;
    // Draws everything noted into the picture and forgets it.
    void drawInto(QImage& picture, const Otherwise& otherwise);

    // Rows per band; by default as many as fit the processor's cache.
    void setBandRows(int rows) { bandRows_ = rows; }

private:
    struct Job {
        enum class Kind : std::uint8_t { Fill, Copy, Line, CopyBack } kind;
        PixelInk ink;
        int top, bottom;  // the rows it may touch
        QRect area;       // a fill's or copy back's rectangle; a line's ends as its corners
        const PreparedImage* image;
        const std::uint32_t* from;  // the pixels copied back
        const LineDashes* dashes;
        QRgb colour;
        std::uint32_t tag;
    };
    void note(const Job& job);
    // Draws one job into the rows of the surface it may write; false when a
    // copy failed (and wrote nothing).
    static bool drawJob(const PixelSurface& surface, const Job& job);
    // Draws a band's jobs from the one at `from` in its bin on; where it
    // stopped: the bin's size when done, else the copy that failed.
    std::size_t drawBand(int band, std::size_t from) const;
    // Each job into the bins of the bands it reaches into.
    void sortIntoBands();
    // Draws the bands not yet taken, on whichever thread calls it.
    void drawBands();
    void drawOnTwoThreads();
    void drawInBands(const Otherwise& otherwise);
    void forget();
    void work();

    std::vector<Job> jobs_;
    std::vector<QImage> kept_;  // the pictures copied back from
    bool large_ = false;        // a fill or copy back larger than a band is noted
    int bandRows_ = 0;
    QPoint origin_;
    // While drawing: the picture's pixels, the rows of each band and the
    // jobs that reach into it.
    PixelSurface surface_;
    int rows_ = 0;
    std::vector<std::vector<std::uint32_t>> bins_;
    std::vector<std::size_t> stopped_;  // per band

    // The second thread, started at the first drawing of two bands or more.
    std::unique_ptr<std::thread> helper_;
    std::mutex mutex_;
    std::condition_variable wake_, done_;
    int nextBand_ = 0;
    bool busy_ = false, quit_ = false;
    std::uint64_t round_ = 0;
};

}  // namespace trevanor
